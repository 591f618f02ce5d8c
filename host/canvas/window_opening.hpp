#pragma once

#include <cstdint>
#include <string_view>

#include "host/canvas/window_record.hpp"

namespace tamo {

// Raises mirk_runtime_exception with code "window.canvas" and the message.
[[noreturn]] void raise_canvas_error(std::string_view message);

// Raises the message unless the condition holds.
void require_canvas(bool condition, std::string_view message);

// Opens a window with an OpenGL context and makes it primary and active, or
// makes the open primary window active again. Opens nothing once 16 windows
// were opened.
void open_canvas_window(std::string_view title, std::int32_t width, std::int32_t height,
                        std::int32_t parent_id);

// Refreshes the record's DPI scale and monitor number.
void update_dpi_and_monitor(canvas_window& window);

}  // namespace tamo
