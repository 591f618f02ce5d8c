#include "host/canvas/srgb.hpp"

#include <gtest/gtest.h>

namespace tamo {
namespace {

TEST(SrgbToLinear, TableHoldsTheStandardDecoding) {
    const auto& table = srgb_to_linear_table();
    EXPECT_EQ(table[0], 0.0f);
    EXPECT_EQ(table[1], 0.000303527f);
    EXPECT_EQ(table[10], static_cast<float>(10 / 255.0 / 12.92));  // linear segment
    EXPECT_EQ(table[128], 0.2158605f);
    EXPECT_EQ(table[255], 1.0f);
    for (int code = 1; code < 256; ++code) {
        EXPECT_GT(table[code], table[code - 1]) << code;
    }
}

TEST(SrgbToLinear, ClampsTheCode) {
    EXPECT_EQ(srgb_to_linear(-3), 0.0f);
    EXPECT_EQ(srgb_to_linear(300), 1.0f);
    EXPECT_EQ(srgb_to_linear(128), 0.2158605f);
}

}  // namespace
}  // namespace tamo
