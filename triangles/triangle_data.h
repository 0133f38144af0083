// The arithmetic of the triangles workload, apart from GL: the data fill and the per-frame
// index count.
#pragma once

#include <cstdint>

// Doubles in the data array; also the limit on the index count, which counts bytes.
inline constexpr std::int64_t DATA_COUNT = 103'680'000;
inline constexpr std::int64_t DATA_BYTES = DATA_COUNT * static_cast<std::int64_t>(sizeof(double));

// data[i] = (sin i + cos i) * tan i for i in [0, count), in ascending order, one thread.
void fill_triangle_data(double* data, std::int64_t count);

// Binet's n-th Fibonacci number divided by (frames_reported + 1), plus 6n, truncated
// toward zero. A value beyond the 64-bit range (steps in the thousands) saturates.
std::int64_t compute_index_count(std::int64_t n, std::int64_t frames_reported);

// The count handed to glDrawElements: index_count clamped to the array's bytes, so a draw
// never reads past the array however far the counter has run between two frames.
std::int32_t draw_index_count(std::int64_t index_count);
