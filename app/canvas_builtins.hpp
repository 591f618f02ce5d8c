#pragma once

#include <cstdint>
#include <string_view>

#include "app/fluid/array_handle.hpp"

namespace tamo {

// The window and canvas builtins, clock and sleep the toy runs on. The
// program binds them to the window host; tests bind them to a scripted host.
class canvas_builtins {
  public:
    virtual ~canvas_builtins() = default;

    virtual void open_canvas_window(std::string_view title, std::int32_t width,
                                    std::int32_t height) = 0;
    virtual void close_all_windows() = 0;
    virtual void drain_window_messages() = 0;
    // The primary window exists, is open and has its native window.
    virtual bool primary_window_open() = 0;

    virtual std::int64_t monotonic_ms() = 0;
    virtual void sleep_frame(std::int64_t total_ms) = 0;

    virtual bool key_pressed(std::string_view name) = 0;
    virtual bool key_is_down(std::string_view name) = 0;
    virtual bool mouse_button_down(std::string_view name) = 0;
    virtual std::int32_t mouse_x() = 0;
    virtual std::int32_t mouse_y() = 0;

    virtual void begin_frame() = 0;
    virtual void end_frame() = 0;
    virtual void draw_text_styled(std::string_view text, std::int32_t x, std::int32_t y,
                                  std::int32_t size_code, std::int32_t r, std::int32_t g,
                                  std::int32_t b) = 0;
    virtual void draw_rect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                           std::int64_t r, std::int64_t g, std::int64_t b) = 0;
    virtual void draw_rounded_rect(std::int64_t x, std::int64_t y, std::int64_t width,
                                   std::int64_t height, std::int64_t radius, std::int64_t r,
                                   std::int64_t g, std::int64_t b) = 0;
    virtual void draw_pixels(array_handle pixels, std::int64_t width, std::int64_t height,
                             std::int64_t x, std::int64_t y, std::int64_t draw_width,
                             std::int64_t draw_height) = 0;
};

}  // namespace tamo
