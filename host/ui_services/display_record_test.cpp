#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "host/ui_services/display_record.hpp"

namespace tamo {
namespace {

constexpr std::int32_t max_int32 = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t min_int32 = std::numeric_limits<std::int32_t>::min();

display_record primary_display() {
    return {"d1", 0, 0, 800, 600, 0, 0, 800, 560, 100, true};
}

struct geometry_case {
    const char* label;
    std::function<void(display_record&)> change;
    const char* expected;
};

TEST(DisplayGeometry, RulesInOrder) {
    const std::vector<geometry_case> cases = {
        {"primary", [](display_record&) {}, "ok"},
        {"left of the primary",
         [](display_record& d) { d = {"d2", -800, 0, 800, 600, -800, 0, 800, 600, 100, false}; },
         "ok"},
        {"work area equal to the bounds", [](display_record& d) { d.work_height = 600; }, "ok"},
        {"empty id", [](display_record& d) { d.id = ""; }, "invalid-display-geometry"},
        {"width 0", [](display_record& d) { d.width = 0; }, "invalid-display-geometry"},
        {"negative height", [](display_record& d) { d.height = -1; }, "invalid-display-geometry"},
        {"work width 0", [](display_record& d) { d.work_width = 0; }, "invalid-display-geometry"},
        {"work height 0", [](display_record& d) { d.work_height = 0; }, "invalid-display-geometry"},
        {"scale 0", [](display_record& d) { d.scale = 0; }, "invalid-display-geometry"},
        {"size rule before work-area rule",
         [](display_record& d) {
             d.scale = -1;
             d.work_x = -5;
         },
         "invalid-display-geometry"},
        {"work area one pixel wider", [](display_record& d) { d.work_width = 801; },
         "work-area-outside-display"},
        {"work area one pixel left", [](display_record& d) { d.work_x = -1; },
         "work-area-outside-display"},
        {"work area one pixel above", [](display_record& d) { d.work_y = -1; },
         "work-area-outside-display"},
        {"work area one pixel taller", [](display_record& d) { d.work_height = 601; },
         "work-area-outside-display"},
        {"work area shifted right",
         [](display_record& d) {
             d.work_x = 1;
             d.work_width = 800;
         },
         "work-area-outside-display"},
    };
    for (const geometry_case& geometry : cases) {
        display_record display = primary_display();
        geometry.change(display);
        EXPECT_EQ(check_display_geometry(display), geometry.expected) << geometry.label;
    }
}

// Edge sums that pass the int32 range must not wrap into acceptance.
TEST(DisplayGeometry, EdgesNearTheLimitsDoNotWrap) {
    const std::vector<geometry_case> cases = {
        {"work area far right of a display at the limit",
         [](display_record& d) {
             d = {"d", max_int32 - 10, 0, 10, 10, max_int32 - 10, 0, max_int32, 10, 1, true};
         },
         "work-area-outside-display"},
        {"work area far below a display at the limit",
         [](display_record& d) {
             d = {"d", 0, max_int32 - 10, 10, 10, 0, max_int32 - 10, 10, max_int32, 1, true};
         },
         "work-area-outside-display"},
        {"display reaching past the limit holds a work area at the limit",
         [](display_record& d) {
             d = {"d", max_int32 - 10, 0, 100, 10, max_int32 - 1, 0, 50, 10, 1, true};
         },
         "ok"},
        {"largest display from the lowest edge",
         [](display_record& d) {
             d = {"d",       min_int32, min_int32, max_int32, max_int32, min_int32,
                  min_int32, max_int32, max_int32, 1,         true};
         },
         "ok"},
    };
    for (const geometry_case& geometry : cases) {
        display_record display;
        geometry.change(display);
        EXPECT_EQ(check_display_geometry(display), geometry.expected) << geometry.label;
    }
}

}  // namespace
}  // namespace tamo
