#include "host/canvas/mouse_buttons.hpp"

#include <gtest/gtest.h>

namespace tamo {
namespace {

TEST(MouseButtonCode, NamesMatchWithoutRegardToCase) {
    struct button_case {
        const char* name;
        std::int32_t code;
    };
    const button_case cases[] = {{"LEFT", 1},      {"Primary", 1}, {"l", 1},      {"right", 2},
                                 {"Secondary", 2}, {"R", 2},       {"middle", 4}, {"M", 4},
                                 {"x1", 0},        {"", 0},        {"left ", 0},  {"lef", 0}};
    for (const button_case& expected : cases) {
        EXPECT_EQ(mouse_button_code(expected.name), expected.code) << expected.name;
    }
}

}  // namespace
}  // namespace tamo
