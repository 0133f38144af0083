#include "triangles/triangle_data.h"

#include <cmath>
#include <limits>

void fill_triangle_data(double* data, std::int64_t count) {
  for (std::int64_t i = 0; i < count; ++i) {
    const double x = static_cast<double>(i);
    data[i] = (std::sin(x) + std::cos(x)) * std::tan(x);
  }
}

// Truncation toward zero; out-of-range values, infinities included, stop at the limits.
static std::int64_t truncate_saturating(double v) {
  constexpr double two_to_63 = 9223372036854775808.0;
  if (v >= two_to_63 || std::isnan(v)) return std::numeric_limits<std::int64_t>::max();
  if (v < -two_to_63) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(v);
}

std::int64_t compute_index_count(std::int64_t n, std::int64_t frames_reported) {
  const double s = std::sqrt(5.0);
  const double x = static_cast<double>(n);
  const double a = std::pow((s + 1.0) * 0.5, x);
  const double b = std::pow((1.0 - s) * 0.5, x);
  double v = (a - b) * (1.0 / s);
  v = v / static_cast<double>(frames_reported + 1);
  constexpr std::int64_t max_exact_step = std::numeric_limits<std::int64_t>::max() / 6;
  v = v + (n <= max_exact_step ? static_cast<double>(6 * n) : 6.0 * x);
  return truncate_saturating(v);
}

std::int32_t draw_index_count(std::int64_t index_count) {
  if (index_count < 0) return 0;
  if (index_count > DATA_BYTES) return static_cast<std::int32_t>(DATA_BYTES);
  return static_cast<std::int32_t>(index_count);
}
