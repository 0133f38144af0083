// The colour cube's points: the same functions build the display list.
#include "cube/grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <vector>

namespace {

double length(const double v[3]) {
  return std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
}

TEST(CubeGrid, PointCountIsOnePerColour) {
  EXPECT_EQ(point_count(8, 8, 8), 16777216.0);
  EXPECT_EQ(point_count(10, 10, 10), 1073741824.0);
  EXPECT_EQ(point_count(5, 6, 5), 65536.0);
  EXPECT_EQ(point_count(0, 0, 0), 1.0);
}

TEST(CubeGrid, LoopsVisitEveryPointBlueFastest) {
  std::vector<std::tuple<std::int64_t, std::int64_t, std::int64_t>> visited;
  const int r = 1, g = 2, b = 1;
  for_each_grid_point(r, g, b, [&](std::int64_t i, std::int64_t j, std::int64_t k) {
    visited.emplace_back(i, j, k);
  });
  ASSERT_EQ(visited.size(), static_cast<std::size_t>(point_count(r, g, b)));
  EXPECT_EQ(visited[0], std::make_tuple(0, 0, 0));
  EXPECT_EQ(visited[1], std::make_tuple(0, 0, 1));
  EXPECT_EQ(visited[2], std::make_tuple(0, 1, 0));
  EXPECT_EQ(visited.back(), std::make_tuple(1, 3, 1));
}

TEST(CubeGrid, ZeroBitsGiveOnePoint) {
  int points = 0;
  const int zero = 0;
  for_each_grid_point(zero, zero, zero,
                      [&](std::int64_t, std::int64_t, std::int64_t) { ++points; });
  EXPECT_EQ(points, 1);
  const CubePoint p = cube_point(0, 0, 0, 0, 0, 0);
  EXPECT_NEAR(length(p.normal), 1.0, 1e-15);
}

TEST(CubeGrid, FirstAndLastPointAtEightBits) {
  const CubePoint first = cube_point(0, 0, 0, 8, 8, 8);
  const CubePoint last = cube_point(255, 255, 255, 8, 8, 8);
  for (int c = 0; c < 3; ++c) {
    EXPECT_EQ(first.vertex[c], 0.0);
    EXPECT_EQ(first.colour[c], 0.0);
    EXPECT_EQ(last.vertex[c], 255.0 / 256.0);  // never 1.0 on any axis
    EXPECT_EQ(last.colour[c], 255.0 / 256.0);
    EXPECT_NEAR(last.normal[c], 1 / std::sqrt(3.0), 1e-15);
  }
}

TEST(CubeGrid, TheOriginGetsAFiniteUnitNormal) {
  const CubePoint origin = cube_point(0, 0, 0, 8, 8, 8);
  for (double component : origin.normal)
    EXPECT_TRUE(std::isfinite(component));
  EXPECT_NEAR(length(origin.normal), 1.0, 1e-15);
}

TEST(CubeGrid, APointOnTheXAxisIsDimBlue) {
  const CubePoint p = cube_point(1, 0, 0, 8, 8, 8);
  EXPECT_EQ(p.vertex[0], 1.0 / 256);
  EXPECT_EQ(p.vertex[1], 0.0);
  EXPECT_EQ(p.vertex[2], 0.0);
  EXPECT_EQ(p.colour[0], 0.0);
  EXPECT_EQ(p.colour[1], 0.0);
  EXPECT_EQ(p.colour[2], 1.0 / 256);
  // The normal takes (z, y, x): the x axis shows up in its third component.
  EXPECT_EQ(p.normal[0], 0.0);
  EXPECT_EQ(p.normal[1], 0.0);
  EXPECT_EQ(p.normal[2], 1.0);
}

TEST(CubeGrid, UnequalBitsScaleTheColourByTheOtherChannel) {
  // R = 2, G = 3, B = 5: the red component is the blue index over 2^R, up to 31 / 4.
  const CubePoint p = cube_point(3, 7, 31, 2, 3, 5);
  EXPECT_EQ(p.vertex[0], 3.0 / 4);
  EXPECT_EQ(p.vertex[1], 7.0 / 8);
  EXPECT_EQ(p.vertex[2], 31.0 / 32);
  EXPECT_EQ(p.colour[0], 31.0 / 4);
  EXPECT_GT(p.colour[0], 1.0);
  EXPECT_EQ(p.colour[1], 7.0 / 8);
  EXPECT_EQ(p.colour[2], 3.0 / 32);
  const double l = std::sqrt((31.0 / 32) * (31.0 / 32) + (7.0 / 8) * (7.0 / 8) + 0.75 * 0.75);
  EXPECT_DOUBLE_EQ(p.normal[0], (31.0 / 32) / l);
  EXPECT_DOUBLE_EQ(p.normal[1], (7.0 / 8) / l);
  EXPECT_DOUBLE_EQ(p.normal[2], 0.75 / l);
}

}  // namespace
