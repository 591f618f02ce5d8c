#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "host/canvas/window_record.hpp"

namespace tamo {

// One line of text whose top is near y, in the bold face of the size code's
// font (the regular face when the bold one is missing).
void DrawTextStyled(std::string_view text, std::int32_t x, std::int32_t y, std::int32_t size_code,
                    std::int32_t r, std::int32_t g, std::int32_t b);

// Draws printable ASCII through the font's display lists with its glyphs on
// y + baseline_offset, and one "?" for every other character. The text is
// taken as a copy: the message drain may change a window text it came from.
void DrawText(std::string text, std::int32_t x, std::int32_t y, const font_slot& font,
              std::int32_t baseline_offset, std::int32_t r, std::int32_t g, std::int32_t b);

}  // namespace tamo
