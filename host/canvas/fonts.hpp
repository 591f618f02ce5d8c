#pragma once

#include <array>
#include <cstdint>

#include "host/canvas/window_record.hpp"

namespace tamo {

struct font_spec {
    std::int32_t height;
    std::int32_t weight;
};

// The ten faces of every window, in slot order.
inline constexpr std::array<font_spec, font_slot_count> ui_font_specs{{
    {12, FW_NORMAL},
    {12, FW_BOLD},
    {13, FW_NORMAL},
    {13, FW_BOLD},
    {15, FW_NORMAL},
    {15, FW_BOLD},
    {20, FW_NORMAL},
    {20, FW_BOLD},
    {28, FW_NORMAL},
    {28, FW_BOLD},
}};

// "Segoe UI" at a character height in pixels, or null.
HFONT create_ui_font(std::int32_t height, std::int32_t weight);

// First of 96 display lists for characters 32..127 drawn in the font, or 0.
// The device context keeps the object it had selected.
std::int32_t create_font_display_lists(HDC dc, HFONT font);

}  // namespace tamo
