#pragma once

#include <string>
#include <string_view>

namespace tamo {

// The value of an environment variable as UTF-8, or the empty text on every
// failure: an empty, over-long, NUL-holding or invalid name, an absent or
// empty variable, a value over 32767 UTF-16 units or not convertible.
std::string get_environment_utf8(std::string_view name);

}  // namespace tamo
