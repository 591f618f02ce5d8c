#pragma once

#include <cstdint>

#include "host/canvas/window_record.hpp"

namespace tamo {

// Extra-info mark of mouse messages the system synthesises from pen or touch.
constexpr LPARAM synthesized_mouse_mark = 0xFF515700;

// Pointer bookkeeping of one event; pressure -1 takes the default (1000 for
// a press, else 0). screen_coordinates: the message carries a screen point.
void record_pointer_event(canvas_window& window, std::int64_t kind, std::int64_t pointer_id,
                          std::int64_t device, WPARAM wparam, LPARAM lparam, std::int64_t pressure,
                          bool screen_coordinates);

// A mouse message: pointer 1, the mouse device, default pressure.
void record_mouse_event(canvas_window& window, std::int64_t kind, WPARAM wparam, LPARAM lparam);

// WM_POINTERUPDATE, WM_POINTERDOWN, WM_POINTERUP.
void on_pointer_message(canvas_window& window, UINT message, WPARAM wparam, LPARAM lparam);

// WM_TOUCH: records each touch point, then closes the touch handle.
void on_touch_message(canvas_window& window, WPARAM wparam, LPARAM lparam);

}  // namespace tamo
