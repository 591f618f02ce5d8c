#pragma once

#include <cstdint>
#include <optional>

#include "host/canvas/window_record.hpp"

namespace tamo {

constexpr std::int32_t chrome_border_band = 8;
constexpr std::int32_t caption_button_width = 46;
constexpr std::int32_t caption_strip_bottom = 53;
constexpr std::int32_t caption_client_margin = 152;
constexpr std::int32_t chrome_minimum_width = 320;
constexpr std::int32_t chrome_minimum_height = 240;

// Hit-test code of a client point: resize bands, caption buttons, caption
// strip or client. A zoomed window has no resize bands.
std::int32_t chrome_hit_test(const canvas_window& window, std::int32_t x, std::int32_t y);

// Sets the system cursor that matches a hit-test code.
void set_resize_cursor(std::int32_t code);

// Window-procedure handling for records with custom hit testing; an empty
// answer means the default handling.
LRESULT chrome_nc_hit_test(const canvas_window& window, LPARAM lparam);
std::optional<LRESULT> chrome_set_cursor(const canvas_window& window, LPARAM lparam);
std::optional<LRESULT> chrome_button_down(canvas_window& window, LPARAM lparam);
std::optional<LRESULT> chrome_mouse_move(canvas_window& window);
std::optional<LRESULT> chrome_button_up(canvas_window& window, LPARAM lparam);

}  // namespace tamo
