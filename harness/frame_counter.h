// The animation step that drives the lights, the model rotation, the camera target and the
// triangles draw size.
#pragma once

#include <cstdint>

// The counter after one more step. It only ever grows and stops at max (INT32_MAX for the
// 32-bit counter of cube and screens), so it never wraps or overflows.
inline std::int64_t advanced_frame_counter(std::int64_t counter, std::int64_t max) {
  return counter < max ? counter + 1 : max;
}
