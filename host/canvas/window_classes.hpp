#pragma once

#include "host/canvas/win32.hpp"

namespace tamo {

inline constexpr wchar_t canvas_window_class[] = L"tamo_window_input_canvas_window";
inline constexpr wchar_t canvas_translucent_window_class[] =
    L"tamo_window_input_canvas_translucent_window";

// Background colour of the opaque class: R 10, G 11, B 13.
inline constexpr COLORREF canvas_background_colour = RGB(10, 11, 13);

HINSTANCE program_module();

// Declares per-monitor-v2 DPI awareness and registers both window classes,
// once per process.
void register_canvas_window_classes();

}  // namespace tamo
