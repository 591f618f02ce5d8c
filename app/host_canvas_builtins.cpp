#include "app/host_canvas_builtins.hpp"

#include <chrono>

#include "host/canvas/frame_builtins.hpp"
#include "host/canvas/input_queries.hpp"
#include "host/canvas/pixel_drawing.hpp"
#include "host/canvas/text_drawing.hpp"
#include "host/canvas/window_closing.hpp"
#include "host/canvas/window_opening.hpp"
#include "host/canvas/window_procedure.hpp"
#include "host/canvas/window_registry.hpp"
#include "runtime/task_cancellation.hpp"

namespace tamo {

void host_canvas_builtins::open_canvas_window(std::string_view title, std::int32_t width,
                                              std::int32_t height) {
    tamo::open_canvas_window(title, width, height, 0);
}

void host_canvas_builtins::close_all_windows() {
    tamo::close_all_windows();
}

void host_canvas_builtins::drain_window_messages() {
    tamo::drain_window_messages();
}

bool host_canvas_builtins::primary_window_open() {
    const canvas_window* primary = find_window(window_registry_instance().primary_id);
    return primary && primary->open && primary->hwnd;
}

std::int64_t host_canvas_builtins::monotonic_ms() {
    const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(since_start).count() / 1000000;
}

void host_canvas_builtins::sleep_frame(std::int64_t total_ms) {
    tamo::sleep_frame(total_ms);
}

bool host_canvas_builtins::key_pressed(std::string_view name) {
    return tamo::key_pressed(name);
}

bool host_canvas_builtins::key_is_down(std::string_view name) {
    return tamo::key_is_down(name);
}

bool host_canvas_builtins::mouse_button_down(std::string_view name) {
    return tamo::mouse_button_down(name);
}

std::int32_t host_canvas_builtins::mouse_x() {
    return MouseX();
}

std::int32_t host_canvas_builtins::mouse_y() {
    return MouseY();
}

void host_canvas_builtins::begin_frame() {
    BeginFrame();
}

void host_canvas_builtins::end_frame() {
    EndFrame();
}

void host_canvas_builtins::draw_text_styled(std::string_view text, std::int32_t x, std::int32_t y,
                                            std::int32_t size_code, std::int32_t r, std::int32_t g,
                                            std::int32_t b) {
    DrawTextStyled(text, x, y, size_code, r, g, b);
}

void host_canvas_builtins::draw_rect(std::int64_t x, std::int64_t y, std::int64_t width,
                                     std::int64_t height, std::int64_t r, std::int64_t g,
                                     std::int64_t b) {
    DrawRectRgba(x, y, width, height, r, g, b);
}

void host_canvas_builtins::draw_rounded_rect(std::int64_t x, std::int64_t y, std::int64_t width,
                                             std::int64_t height, std::int64_t radius,
                                             std::int64_t r, std::int64_t g, std::int64_t b) {
    DrawRoundedRectRgba(x, y, width, height, radius, r, g, b);
}

void host_canvas_builtins::draw_pixels(array_handle pixels, std::int64_t width, std::int64_t height,
                                       std::int64_t x, std::int64_t y, std::int64_t draw_width,
                                       std::int64_t draw_height) {
    DrawPixelsBgra8(pixels, width, height, x, y, draw_width, draw_height);
}

}  // namespace tamo
