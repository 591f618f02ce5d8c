#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "host/canvas/window_record.hpp"

namespace tamo {

// Feeds one UTF-16 unit to a decoder whose state is the held high
// surrogate (0 for none); answers the completed code point, if any. Unpaired
// surrogates are dropped.
std::optional<std::uint32_t> decode_utf16_unit(std::uint16_t& held_high, std::uint32_t unit);

// One UTF-16 unit of typed text: pairs surrogates, then appends the code
// point to text_input.
void on_char_utf16(canvas_window& window, std::uint32_t unit);

// Appends a printable code point to text_input as UTF-8 while the text stays
// within 512 bytes.
void append_text_input(canvas_window& window, std::uint32_t code_point);

// Appends a printable code point to a composition text being built, while it
// stays within 512 bytes.
void append_code_point_utf8(std::string& text, std::uint32_t code_point);

}  // namespace tamo
