// Light and material parameters of a frame, derived from frame_counter alone.
#pragma once

#include <cstdint>

// Each value is computed in double precision, then converted to float.
struct LightingValues {
  float a, s, k;     // atan c, sin c, cos c
  float a2, s2, k2;  // the same, halved
  float n;           // shininess: the counter's low 32 bits, remainder 64, sign of the counter
};

// The parameter arrays handed to glLightfv, glMaterialfv and glLightModelfv.
struct LightingArrays {
  float position[4];  // a, s, k, 1
  float spot_direction[3];
  float ambient[4];   // k2, s2, a2, 1; also the material ambient and the model ambient
  float diffuse[4];   // a2, s2, k2, 1; also the material specular
  float emission[4];  // s2, a2, k2, 1
  float shininess[1];
};

LightingValues lighting_values(std::int64_t frame_counter);
LightingArrays lighting_arrays(const LightingValues& v);
