#include "harness/lighting.h"

#include <cmath>

LightingValues lighting_values(std::int64_t frame_counter) {
  const double c = static_cast<double>(frame_counter);
  // The low 32 bits as a signed value: the 64-bit counter of triangles wraps here on purpose.
  const auto m = static_cast<std::int32_t>(static_cast<std::uint32_t>(frame_counter));
  // Each function once per frame: the halves are the same doubles times 0.5.
  const double a = std::atan(c), s = std::sin(c), k = std::cos(c);
  LightingValues v;
  v.a = static_cast<float>(a);
  v.s = static_cast<float>(s);
  v.k = static_cast<float>(k);
  v.a2 = static_cast<float>(a * 0.5);
  v.s2 = static_cast<float>(s * 0.5);
  v.k2 = static_cast<float>(k * 0.5);
  v.n = static_cast<float>(m % 64);
  return v;
}

LightingArrays lighting_arrays(const LightingValues& v) {
  return LightingArrays{
      .position = {v.a, v.s, v.k, 1.0f},
      .spot_direction = {v.a, v.s, v.k},
      .ambient = {v.k2, v.s2, v.a2, 1.0f},
      .diffuse = {v.a2, v.s2, v.k2, 1.0f},
      .emission = {v.s2, v.a2, v.k2, 1.0f},
      .shininess = {v.n},
  };
}
