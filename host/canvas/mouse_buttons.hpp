#pragma once

#include <cstdint>
#include <string_view>

namespace tamo {

// Virtual-key code of a mouse button name, matched without regard to case:
// left 1, right 2, middle 4; 0 for a name that is no button.
std::int32_t mouse_button_code(std::string_view name);

}  // namespace tamo
