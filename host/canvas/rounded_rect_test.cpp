#include "host/canvas/rounded_rect.hpp"

#include <gtest/gtest.h>

namespace tamo {
namespace {

TEST(RoundedCornerTable, RunsClockwiseFromStraightUp) {
    const auto& table = rounded_corner_table();
    const auto expect_point = [&](int index, float x, float y) {
        EXPECT_NEAR(table[index].x, x, 1e-6f) << index;
        EXPECT_NEAR(table[index].y, y, 1e-6f) << index;
    };
    expect_point(0, 0, -1);  // corner 0 from straight up ...
    expect_point(8, 1, 0);   // ... to the right
    expect_point(17, 0, 1);  // corner 1 ends pointing down
    expect_point(26, -1, 0);
    expect_point(35, 0, -1);
    for (const draw_point& point : table) {
        EXPECT_NEAR(point.x * point.x + point.y * point.y, 1.0f, 1e-6f);
    }
}

TEST(RoundedCornerRadius, StaysWithinHalfTheSides) {
    EXPECT_EQ(rounded_corner_radius(14, 44, 10), 7);
    EXPECT_EQ(rounded_corner_radius(160, 44, 10), 10);
    EXPECT_EQ(rounded_corner_radius(160, 12, 10), 6);
    EXPECT_EQ(rounded_corner_radius(1, 44, 10), 0.5f);
    EXPECT_EQ(rounded_corner_radius(160, 44, -3), -3);
}

TEST(RoundedRectFan, CentreThenFourArcsThenTheFirstRimPointAgain) {
    const std::vector<draw_point> fan = rounded_rect_fan(34, 627, 160, 44, 10);
    ASSERT_EQ(fan.size(), 38u);
    EXPECT_FLOAT_EQ(fan[0].x, 114);
    EXPECT_FLOAT_EQ(fan[0].y, 649);
    EXPECT_FLOAT_EQ(fan[1].x, 184);  // top edge at the top-right corner
    EXPECT_FLOAT_EQ(fan[1].y, 627);
    EXPECT_FLOAT_EQ(fan[9].x, 194);   // right edge
    EXPECT_FLOAT_EQ(fan[18].y, 671);  // bottom edge at the bottom-right corner
    EXPECT_FLOAT_EQ(fan[27].x, 34);   // left edge at the bottom-left corner
    EXPECT_FLOAT_EQ(fan[36].y, 627);  // top edge at the top-left corner
    EXPECT_FLOAT_EQ(fan[37].x, fan[1].x);
    EXPECT_FLOAT_EQ(fan[37].y, fan[1].y);
}

}  // namespace
}  // namespace tamo
