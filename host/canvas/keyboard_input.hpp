#pragma once

#include <cstdint>

#include "host/canvas/window_record.hpp"

namespace tamo {

// Key bookkeeping of one key message: modifiers, event fields, queued first
// presses.
void on_key_message(canvas_window& window, std::uint32_t vk, LPARAM lparam, bool down);

}  // namespace tamo
