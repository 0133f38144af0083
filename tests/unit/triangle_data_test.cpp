// The triangles workload's arithmetic: the data fill and the index count of every frame.
#include "triangles/triangle_data.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

TEST(TriangleData, FillFollowsTheFormula) {
  std::vector<double> data(12346, -1.0);
  fill_triangle_data(data.data(), static_cast<std::int64_t>(data.size()));
  EXPECT_EQ(data[0], 0.0);
  // Reference values: (sin x + cos x) * tan x, evaluated independently.
  EXPECT_DOUBLE_EQ(data[1], 2.1519843966206826);
  EXPECT_DOUBLE_EQ(data[2], -1.0775536983495568);
  EXPECT_DOUBLE_EQ(data[3], 0.12100383875231892);
  EXPECT_DOUBLE_EQ(data[1000], 2.042660502832571);
  EXPECT_DOUBLE_EQ(data[12345], 7.868570470366259);
}

TEST(TriangleData, FirstIndexBytesAreZero) {
  // data[0] is 0.0, so the first eight index bytes, two whole triangles, are vertex 0.
  std::vector<double> data(4);
  fill_triangle_data(data.data(), 4);
  unsigned char bytes[8];
  std::memcpy(bytes, data.data(), sizeof bytes);
  for (unsigned char byte : bytes)
    EXPECT_EQ(byte, 0);
}

TEST(TriangleData, FillStopsAtItsCount) {
  std::vector<double> data(5, -1.0);
  fill_triangle_data(data.data(), 3);
  EXPECT_EQ(data[3], -1.0);
  EXPECT_EQ(data[4], -1.0);
}

struct IndexCase {
  std::int64_t counter, frames_reported, index_count, triangle_count;
};

void PrintTo(const IndexCase& c, std::ostream* out) {
  *out << "counter " << c.counter << ", " << c.frames_reported << " reports";
}

class IndexCount : public ::testing::TestWithParam<IndexCase> {};

TEST_P(IndexCount, MatchesTheWorkedValues) {
  const IndexCase& c = GetParam();
  const std::int64_t index_count = compute_index_count(c.counter, c.frames_reported);
  EXPECT_EQ(index_count, c.index_count);
  EXPECT_EQ(index_count / 6, c.triangle_count);
}

INSTANTIATE_TEST_SUITE_P(Steps, IndexCount,
                         ::testing::Values(IndexCase{0, 0, 0, 0}, IndexCase{0, 17, 0, 0},
                                           IndexCase{1, 0, 7, 1}, IndexCase{10, 9, 65, 10},
                                           IndexCase{20, 19, 458, 76},
                                           // More reports shrink the Fibonacci term only.
                                           IndexCase{10, 54, 61, 10}, IndexCase{2, 0, 13, 2}));

// Fibonacci numbers, exactly, for the limit rows.
std::int64_t fibonacci(int n) {
  std::int64_t a = 0, b = 1;
  for (int i = 0; i < n; ++i) {
    const std::int64_t next = a + b;
    a = b;
    b = next;
  }
  return a;
}

TEST(IndexCount, OneStepPerFrameFirstPassesTheLimitAtStep49) {
  for (std::int64_t n = 1; n < 49; ++n) {
    EXPECT_LE(compute_index_count(n, n - 1), DATA_COUNT) << n;
  }
  const std::int64_t at_49 = compute_index_count(49, 48);
  EXPECT_GT(at_49, DATA_COUNT);
  // F(49) / 49 + 294, within the rounding of Binet's formula.
  EXPECT_NEAR(static_cast<double>(at_49), fibonacci(49) / 49.0 + 294, 1.0);
  EXPECT_LE(at_49, DATA_BYTES);  // the frame that crosses the limit is drawn whole
}

TEST(IndexCount, AFarRunCounterSaturatesInsteadOfOverflowing) {
  // Thousands of steps between two frames: Binet's term is infinite.
  EXPECT_EQ(compute_index_count(5000, 0), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(compute_index_count(std::numeric_limits<std::int64_t>::max(), 0),
            std::numeric_limits<std::int64_t>::max());
}

struct DrawCase {
  std::int64_t index_count;
  std::int32_t drawn;
};

void PrintTo(const DrawCase& c, std::ostream* out) {
  *out << "index count " << c.index_count;
}

class DrawCount : public ::testing::TestWithParam<DrawCase> {};

TEST_P(DrawCount, NeverReadsPastTheArray) {
  EXPECT_EQ(draw_index_count(GetParam().index_count), GetParam().drawn);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, DrawCount,
    ::testing::Values(DrawCase{0, 0}, DrawCase{7, 7}, DrawCase{DATA_COUNT + 1, DATA_COUNT + 1},
                      DrawCase{DATA_BYTES, DATA_BYTES}, DrawCase{DATA_BYTES + 1, DATA_BYTES},
                      // Low 32 bits alone would draw 5 indices here, or a negative count.
                      DrawCase{(std::int64_t{1} << 32) + 5, DATA_BYTES},
                      DrawCase{(std::int64_t{1} << 31) + 5, DATA_BYTES},
                      DrawCase{std::numeric_limits<std::int64_t>::max(), DATA_BYTES},
                      DrawCase{-3, 0}));

}  // namespace
