#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamo {

// Replaces each "{N}" (N all decimal digits, below the argument count) by
// argument N. Anything else, including "{}" and "{x}", is copied as is.
// An index beyond the unsigned 64-bit range throws std::out_of_range("stoull").
std::string format_message(std::string_view pattern, const std::vector<std::string>& arguments);

std::string bool_text(bool value);

// "<byte length>:<text>".
std::string length_prefixed(std::string_view text);

// "<len kind>:<kind>:<len id>:<id>:<n>"; the lengths keep keys unambiguous
// when kind or id contain ':'.
std::string composite_key(std::string_view kind, std::string_view id, std::int32_t number);

bool starts_with(std::string_view text, std::string_view prefix);

// True when every byte is a hexadecimal digit (true for the empty text).
bool is_hex_text(std::string_view text);

}  // namespace tamo
