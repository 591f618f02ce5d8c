#include "host/canvas/srgb_premultiply.hpp"

#include <gtest/gtest.h>

namespace tamo {
namespace {

TEST(PremultiplySrgbChannel, OpaqueCodesRoundTrip) {
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(premultiply_srgb_channel(static_cast<std::uint8_t>(code), 255), code);
    }
}

TEST(PremultiplySrgbChannel, TransparentAndBlackGiveZero) {
    for (int code = 0; code < 256; ++code) {
        EXPECT_EQ(premultiply_srgb_channel(static_cast<std::uint8_t>(code), 0), 0) << code;
    }
    EXPECT_EQ(premultiply_srgb_channel(0, 128), 0);
}

TEST(PremultiplySrgbChannel, HalfCoverageOfLinearWhiteIsWhiteAtHalfAlpha) {
    // Linear 0.5 x white stored as sRGB is code 188; unpremultiplied it is
    // white, and white at alpha 128 is 128.
    EXPECT_EQ(premultiply_srgb_channel(188, 128), 128);
    // More coverage than alpha is clamped to white.
    EXPECT_EQ(premultiply_srgb_channel(255, 100), 100);
}

}  // namespace
}  // namespace tamo
