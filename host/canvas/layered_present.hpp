#pragma once

#include <cstdint>

#include "host/canvas/window_record.hpp"

namespace tamo {

inline constexpr std::int32_t layered_side_limit = 2048;
inline constexpr std::int64_t layered_bytes_budget = 67108864;

// Reads the finished frame back into the window's bitmap section with
// premultiplied sRGB alpha and hands it to the system as the layered
// window's picture. Any failure skips this frame's present silently.
void present_layered_window(canvas_window& window);

}  // namespace tamo
