// The light and material parameters that every frame derives from the frame counter.
#include "harness/lighting.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cstdint>

namespace {

TEST(Lighting, CounterZeroGivesTheInitialLight) {
  const LightingArrays arrays = lighting_arrays(lighting_values(0));
  EXPECT_EQ(arrays.position[0], 0.0f);
  EXPECT_EQ(arrays.position[1], 0.0f);
  EXPECT_EQ(arrays.position[2], 1.0f);
  EXPECT_EQ(arrays.position[3], 1.0f);
  const float spot[3] = {0, 0, 1};
  const float ambient[4] = {0.5f, 0, 0, 1};
  const float half_blue[4] = {0, 0, 0.5f, 1};
  for (int c = 0; c < 3; ++c)
    EXPECT_EQ(arrays.spot_direction[c], spot[c]) << c;
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(arrays.ambient[c], ambient[c]) << c;
    EXPECT_EQ(arrays.diffuse[c], half_blue[c]) << c;
    EXPECT_EQ(arrays.emission[c], half_blue[c]) << c;
  }
  EXPECT_EQ(arrays.shininess[0], 0.0f);
  // The attenuations: constant and quadratic cos 0, linear sin 0.
  const LightingValues v = lighting_values(0);
  EXPECT_EQ(v.k, 1.0f);
  EXPECT_EQ(v.s, 0.0f);
}

TEST(Lighting, CounterOneRoundsEachComponentToFloat) {
  // atan 1, sin 1, cos 1 and their halves, each rounded once from double to float.
  const float atan1 = 0.7853981852531433f, sin1 = 0.8414709568023682f, cos1 = 0.5403022766113281f;
  const float half_atan1 = 0.39269909262657166f, half_sin1 = 0.4207354784011841f,
              half_cos1 = 0.27015113830566406f;
  const LightingArrays a = lighting_arrays(lighting_values(1));
  const float position[4] = {atan1, sin1, cos1, 1};
  const float ambient[4] = {half_cos1, half_sin1, half_atan1, 1};
  const float diffuse[4] = {half_atan1, half_sin1, half_cos1, 1};
  const float emission[4] = {half_sin1, half_atan1, half_cos1, 1};
  for (int c = 0; c < 4; ++c) {
    EXPECT_EQ(a.position[c], position[c]) << c;
    EXPECT_EQ(a.ambient[c], ambient[c]) << c;
    EXPECT_EQ(a.diffuse[c], diffuse[c]) << c;
    EXPECT_EQ(a.emission[c], emission[c]) << c;
  }
  for (int c = 0; c < 3; ++c)
    EXPECT_EQ(a.spot_direction[c], position[c]) << c;
  EXPECT_EQ(a.shininess[0], 1.0f);
}

TEST(Lighting, CounterTwoHasANegativeCosine) {
  // GL refuses the negative constant and quadratic attenuation; the values still pass as is.
  EXPECT_LT(lighting_values(2).k, 0.0f);
  EXPECT_GT(lighting_values(2).s, 0.0f);
}

struct ShininessCase {
  std::int64_t counter;
  float shininess;
};

// Printed by value: gtest would otherwise dump the bytes, padding included.
void PrintTo(const ShininessCase& c, std::ostream* out) {
  *out << "counter " << c.counter << " -> " << c.shininess;
}

class Shininess : public ::testing::TestWithParam<ShininessCase> {};

TEST_P(Shininess, FollowsTheLow32BitsRemainder64) {
  EXPECT_EQ(lighting_values(GetParam().counter).n, GetParam().shininess);
}

INSTANTIATE_TEST_SUITE_P(
    Counters, Shininess,
    ::testing::Values(ShininessCase{0, 0}, ShininessCase{1, 1}, ShininessCase{2, 2},
                      ShininessCase{63, 63}, ShininessCase{64, 0}, ShininessCase{100, 36},
                      ShininessCase{2147483647, 63},
                      // Past 32 bits only the low half counts: 2^32 + 100 behaves as 100.
                      ShininessCase{(std::int64_t{1} << 32) + 100, 36},
                      // Low 32 bits 0x80000003 read as -2147483645: remainder -61.
                      ShininessCase{(std::int64_t{1} << 31) + 3, -61},
                      ShininessCase{(std::int64_t{5} << 32) + (std::int64_t{1} << 31) + 3, -61}));

}  // namespace
