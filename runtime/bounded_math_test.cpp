#include "runtime/bounded_math.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tamo {
namespace {

constexpr float nan = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();
constexpr float two_pi = 6.2831855f;
constexpr float pi = 3.1415927f;
constexpr float half_pi = 1.5707964f;

TEST(BoundedClamp, ClampsAndAnswersZeroForBadInput) {
    struct clamp_case {
        float x, low, high, expected;
    };
    const clamp_case cases[] = {
        {5, 0, 12, 5},
        {-3, 0, 12, 0},
        {20, 0, 12, 12},
        {1, 2, 1, 0},
        {nan, 0.5f, 94.5f, 0},
        {0.5f, nan, 1, 0},
        {0.5f, 0, nan, 0},
        {2000000, -80, 80, 0},
        {-infinity, -80, 80, 0},
        {1000000, 0, 2000000, 0},
        {1000000, 0, 1000000, 1000000},
        {-1000000, -1000000, 0, -1000000},
        {7, 7, 7, 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bounded_clamp(c.x, c.low, c.high), c.expected)
            << c.x << " in " << c.low << ".." << c.high;
    }
}

TEST(WrapAngle, WrapsIntoOneTurn) {
    EXPECT_EQ(wrap_angle(0.0f), 0.0f);
    EXPECT_FALSE(std::signbit(wrap_angle(-0.0f)));
    EXPECT_EQ(wrap_angle(two_pi), 0.0f);
    EXPECT_FALSE(std::signbit(wrap_angle(two_pi)));
    EXPECT_NEAR(wrap_angle(-1.0f), 5.2831855f, 1e-6f);
    EXPECT_NEAR(wrap_angle(7.0f), 7.0f - two_pi, 1e-6f);
    const float wrapped = wrap_angle(4096.0f);
    EXPECT_GE(wrapped, 0.0f);
    EXPECT_LT(wrapped, two_pi);
    EXPECT_EQ(wrap_angle(4097.0f), 0.0f);
    EXPECT_EQ(wrap_angle(-4097.0f), 0.0f);
    EXPECT_EQ(wrap_angle(infinity), 0.0f);
    EXPECT_EQ(wrap_angle(nan), 0.0f);
}

TEST(WrapAngle, StaysInRangeAcrossTheWholeDomain) {
    for (float x = -4096.0f; x <= 4096.0f; x += 0.37f) {
        const float r = wrap_angle(x);
        ASSERT_GE(r, 0.0f) << x;
        ASSERT_LT(r, two_pi) << x;
    }
}

TEST(BoundedSinCos, FollowTheSineAndAnswerZeroOutOfRange) {
    EXPECT_NEAR(bounded_sin(half_pi), 1.0f, 1e-6f);
    EXPECT_NEAR(bounded_sin(-half_pi), -1.0f, 1e-6f);
    EXPECT_EQ(bounded_sin(4097.0f), 0.0f);
    EXPECT_EQ(bounded_sin(nan), 0.0f);
    EXPECT_NEAR(bounded_cos(0.0f), 1.0f, 1e-6f);
    EXPECT_NEAR(bounded_cos(pi), -1.0f, 1e-6f);
    EXPECT_EQ(bounded_cos(5000.0f), 0.0f);
    EXPECT_EQ(bounded_cos(nan), 0.0f);
    for (float x = -20.0f; x <= 20.0f; x += 0.01f) {
        ASSERT_NEAR(bounded_sin(x), std::sin(x), 2e-5f) << x;
        ASSERT_NEAR(bounded_cos(x), std::cos(x), 2e-5f) << x;
    }
}

}  // namespace
}  // namespace tamo
