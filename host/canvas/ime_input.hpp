#pragma once

#include "host/canvas/window_record.hpp"

namespace tamo {

void on_ime_start_composition(canvas_window& window);
void on_ime_end_composition(canvas_window& window);

// WM_IME_COMPOSITION: false when the message flags neither a result nor a
// composition string, so the default handling applies.
bool on_ime_composition(canvas_window& window, HWND hwnd, LPARAM lparam);

// Places the composition and candidate windows at the record's caret.
void place_ime_windows(canvas_window& window);

}  // namespace tamo
