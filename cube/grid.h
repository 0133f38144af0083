// The colour cube's points: one per colour the frame buffer can hold, filling the unit cube.
// Shared by the display-list build and its tests, so both run the same arithmetic.
#pragma once

#include <cmath>
#include <cstdint>

// Points in the list: 2^green * 2^red * 2^blue, multiplied in that order.
inline double point_count(int red, int green, int blue) {
  return std::pow(2.0, green) * std::pow(2.0, red) * std::pow(2.0, blue);
}

struct CubePoint {
  double normal[3];
  double colour[3];
  double vertex[3];
};

// The point's normal where its own direction is undefined: at the origin, where (z, y, x)
// has length 0, it points along the cube's main diagonal, away from the origin corner.
inline constexpr double ORIGIN_NORMAL_COMPONENT = 0.57735026918962576451;  // 1 / sqrt(3)

// Point (i, j, k) of the grid for red, green and blue bit counts r, g, b: i runs along x,
// j along y, k along z. Every scale factor is pow(2.0, bits) at its use, reciprocal first;
// the normal and the colour take the indices in the opposite order, so with r != b the
// colour's red component can pass 1.0. No value is cached across points: the build of
// these points is part of what the benchmark measures.
inline CubePoint cube_point(std::int64_t i, std::int64_t j, std::int64_t k, int r, int g, int b) {
  const double di = static_cast<double>(i);
  const double dj = static_cast<double>(j);
  const double dk = static_cast<double>(k);
  const double x = di * (1.0 / std::pow(2.0, r));
  const double y = dj * (1.0 / std::pow(2.0, g));
  const double z = dk * (1.0 / std::pow(2.0, b));
  const double blue_square = dk * z * (1.0 / std::pow(2.0, b));
  const double green_square = dj * y * (1.0 / std::pow(2.0, g));
  const double red_square = di * x * (1.0 / std::pow(2.0, r));
  const double length = std::sqrt(blue_square + green_square + red_square);

  CubePoint point;
  if (length == 0.0) {
    point.normal[0] = point.normal[1] = point.normal[2] = ORIGIN_NORMAL_COMPONENT;
  } else {
    point.normal[0] = z / length;
    point.normal[1] = y / length;
    point.normal[2] = x / length;
  }
  point.colour[0] = dk * (1.0 / std::pow(2.0, r));
  point.colour[1] = dj * (1.0 / std::pow(2.0, g));
  point.colour[2] = di * (1.0 / std::pow(2.0, b));
  point.vertex[0] = x;
  point.vertex[1] = y;
  point.vertex[2] = z;
  return point;
}

// Calls emit(i, j, k) for every point of the grid, red index outermost, blue innermost. Each
// bound is pow(2.0, bits) again at every test, so a bit count of 0 still gives one index.
template <typename Emit>
inline void for_each_grid_point(const int& r, const int& g, const int& b, Emit emit) {
  for (std::int64_t i = 0; static_cast<double>(i) < std::pow(2.0, r); ++i) {
    for (std::int64_t j = 0; static_cast<double>(j) < std::pow(2.0, g); ++j) {
      for (std::int64_t k = 0; static_cast<double>(k) < std::pow(2.0, b); ++k) {
        emit(i, j, k);
      }
    }
  }
}
