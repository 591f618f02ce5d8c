#pragma once

#include "app/canvas_builtins.hpp"

namespace tamo {

// The builtins of the Win32 + OpenGL window host, the steady clock and the
// cancellable frame sleep.
class host_canvas_builtins : public canvas_builtins {
  public:
    void open_canvas_window(std::string_view title, std::int32_t width,
                            std::int32_t height) override;
    void close_all_windows() override;
    void drain_window_messages() override;
    bool primary_window_open() override;

    std::int64_t monotonic_ms() override;
    void sleep_frame(std::int64_t total_ms) override;

    bool key_pressed(std::string_view name) override;
    bool key_is_down(std::string_view name) override;
    bool mouse_button_down(std::string_view name) override;
    std::int32_t mouse_x() override;
    std::int32_t mouse_y() override;

    void begin_frame() override;
    void end_frame() override;
    void draw_text_styled(std::string_view text, std::int32_t x, std::int32_t y,
                          std::int32_t size_code, std::int32_t r, std::int32_t g,
                          std::int32_t b) override;
    void draw_rect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                   std::int64_t r, std::int64_t g, std::int64_t b) override;
    void draw_rounded_rect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                           std::int64_t radius, std::int64_t r, std::int64_t g,
                           std::int64_t b) override;
    void draw_pixels(array_handle pixels, std::int64_t width, std::int64_t height, std::int64_t x,
                     std::int64_t y, std::int64_t draw_width, std::int64_t draw_height) override;
};

}  // namespace tamo
