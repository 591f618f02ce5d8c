#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tamo {

// The text with A..Z lowered; every other byte, UTF-8 included, is kept.
std::string ascii_lower(std::string_view text);

// Virtual-key code of a key name, matched without regard to case; 0 for a
// name that is no key.
std::int32_t key_name_to_vk(std::string_view name);

}  // namespace tamo
