#pragma once

#include <cstdint>

#include "host/canvas/window_record.hpp"

namespace tamo {

// Each operation acts only for the registry's lock window.
void unlock_cursor(HWND window);
void release_pointer_lock(HWND window);
bool clip_cursor_to_client(HWND window);
void apply_pointer_lock(HWND window);
void update_lock_cursor(HWND window);

// Adds relative motion to the packed motion word, each sum saturating at the
// 32-bit range.
void add_lock_motion(std::int32_t dx, std::int32_t dy);
std::int32_t lock_motion_x();
std::int32_t lock_motion_y();

// Window-procedure hooks.
void pointer_lock_on_move(const canvas_window& window);
void pointer_lock_on_size(const canvas_window& window);
void pointer_lock_on_focus(const canvas_window& window);
// WM_SETCURSOR: hides the cursor over the locked client area; true when done.
bool hide_cursor_for_lock(HWND window, LPARAM lparam);
// WM_INPUT: accumulates relative raw mouse motion while the lock is active.
void on_raw_input(HWND window, LPARAM lparam);

}  // namespace tamo
