#pragma once

#include "host/canvas/win32.hpp"

namespace tamo {

constexpr int drain_message_limit = 32;

// Dispatches the thread's queued messages, at most 32 a call.
void drain_window_messages();

// The procedure of both window classes: keeps the window records true.
LRESULT CALLBACK canvas_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace tamo
