// The frame counter only grows and never overflows.
#include "harness/frame_counter.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr std::int64_t MAX32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t MAX64 = std::numeric_limits<std::int64_t>::max();

TEST(FrameCounter, GrowsByOne) {
  EXPECT_EQ(advanced_frame_counter(0, MAX32), 1);
  EXPECT_EQ(advanced_frame_counter(41, MAX64), 42);
  // The 64-bit counter of triangles passes the 32-bit range.
  EXPECT_EQ(advanced_frame_counter(MAX32, MAX64), MAX32 + 1);
}

TEST(FrameCounter, StopsAtItsWidth) {
  EXPECT_EQ(advanced_frame_counter(MAX32 - 1, MAX32), MAX32);
  EXPECT_EQ(advanced_frame_counter(MAX32, MAX32), MAX32);
  EXPECT_EQ(advanced_frame_counter(MAX64, MAX64), MAX64);
}

}  // namespace
