#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "retained/records/record_validators.hpp"

namespace tamo {
namespace {

struct geometry_case {
    std::string name;
    retained_bounds bounds;
    std::string label;
    std::string expected;
};

TEST(RetainedGeometry, BoundsPositionsAndExtentsAtTheirLimits) {
    constexpr std::int32_t int_min = std::numeric_limits<std::int32_t>::min();
    const std::string exceeds = "L exceeds bounded retained geometry";
    const geometry_case cases[] = {
        {"every limit reached", {-1000000, 1000000, 1000000, 0}, "L", ""},
        {"other limits reached", {1000000, -1000000, 0, 1000000}, "L", ""},
        {"x above", {1000001, 0, 1, 1}, "L", exceeds},
        {"x below", {-1000001, 0, 1, 1}, "L", exceeds},
        {"y above", {0, 1000001, 1, 1}, "L", exceeds},
        {"y below", {0, -1000001, 1, 1}, "L", exceeds},
        {"width above", {0, 0, 1000001, 1}, "L", exceeds},
        {"height above", {0, 0, 1, 1000001}, "L", exceeds},
        {"negative width", {0, 0, -1, 1}, "L", exceeds},
        {"negative height", {0, 0, 1, -1}, "L", exceeds},
        {"most negative width", {0, 0, int_min, 1}, "L", exceeds},
        {"label used whole and unchanged",
         {0, 0, -1, 0},
         "fragment {0} ink",
         "fragment {0} ink exceeds bounded retained geometry"},
        {"empty label", {0, 2000000, 0, 0}, "", " exceeds bounded retained geometry"},
    };
    for (const auto& [name, bounds, label, expected] : cases) {
        EXPECT_EQ(check_retained_geometry(bounds, label), expected) << name;
    }
}

}  // namespace
}  // namespace tamo
