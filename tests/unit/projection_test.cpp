// The projection after a reshape keeps the scene's aspect ratio, for any window size.
#include "harness/projection.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>

namespace {

struct ReshapeCase {
  int width, height;
  double left, right, bottom, top;
};

void PrintTo(const ReshapeCase& c, std::ostream* out) {
  *out << c.width << "x" << c.height;
}

class ReshapeBounds : public ::testing::TestWithParam<ReshapeCase> {};

TEST_P(ReshapeBounds, KeepTheAspectRatio) {
  const ReshapeCase& c = GetParam();
  const OrthoBounds b = reshape_bounds(c.width, c.height);
  EXPECT_DOUBLE_EQ(b.left, c.left);
  EXPECT_DOUBLE_EQ(b.right, c.right);
  EXPECT_DOUBLE_EQ(b.bottom, c.bottom);
  EXPECT_DOUBLE_EQ(b.top, c.top);
  EXPECT_EQ(b.near_plane, -1.0);
  EXPECT_EQ(b.far_plane, 1.0);
  for (double bound : {b.left, b.right, b.bottom, b.top})
    EXPECT_TRUE(std::isfinite(bound));
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ReshapeBounds,
    ::testing::Values(ReshapeCase{800, 600, -4.0 / 3, 4.0 / 3, -1, 1},
                      ReshapeCase{600, 800, -1, 1, -4.0 / 3, 4.0 / 3},
                      ReshapeCase{1440, 1440, -1, 1, -1, 1}, ReshapeCase{64, 64, -1, 1, -1, 1},
                      // A collapsed window counts as 1 pixel wide or high: never 0 / 0.
                      ReshapeCase{0, 0, -1, 1, -1, 1}, ReshapeCase{0, 600, -1, 1, -600, 600},
                      ReshapeCase{600, 0, -600, 600, -1, 1}, ReshapeCase{-5, 10, -1, 1, -10, 10}));

}  // namespace
