#include "app/fluid/tone_map.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tamo {
namespace {

struct tone_case {
    float radiance;
    float exposure;
    std::int32_t expected;
};

TEST(tone_map_channel, maps_known_radiances) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const tone_case cases[] = {
        {4.0f, 0.3f, 234}, {1.0f, 0.3f, 169},  {1.0f, 0.8f, 221}, {12.0f, 3.0f, 255},
        {0.0f, 0.8f, 0},   {0.0f, 3.0f, 0},    {-1.0f, 0.8f, 0},  {nan, 0.8f, 0},
        {1.0f, nan, 0},    {0.006f, 0.8f, 10},
    };
    for (const tone_case& c : cases) {
        EXPECT_EQ(tone_map_channel(c.radiance, c.exposure), c.expected)
            << c.radiance << " at exposure " << c.exposure;
    }
}

// Products large enough to overflow the curve's numerator and denominator
// make its ratio NaN; such a channel is white, never an undefined conversion.
TEST(tone_map_channel, overflowing_product_is_white) {
    const float inf = std::numeric_limits<float>::infinity();
    for (const float radiance : {1.2e19f, 3.0e38f, inf}) {
        EXPECT_EQ(tone_map_channel(radiance, 1.0f), 255) << radiance;
    }
    EXPECT_EQ(tone_map_channel(4.0e18f, 3.0f), 255);
}

TEST(tone_map_channel, stays_within_a_byte_and_grows_with_radiance) {
    std::int32_t previous = 0;
    for (float radiance = 0.0f; radiance < 40.0f; radiance += 0.01f) {
        const std::int32_t value = tone_map_channel(radiance, 0.8f);
        ASSERT_GE(value, previous) << radiance;
        ASSERT_LE(value, 255) << radiance;
        previous = value;
    }
}

}  // namespace
}  // namespace tamo
