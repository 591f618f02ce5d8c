#include "host/canvas/frame_builtins.hpp"

#include <algorithm>
#include <limits>
#include <string>

#include "host/canvas/layered_present.hpp"
#include "host/canvas/platform_calls.hpp"
#include "host/canvas/rounded_rect.hpp"
#include "host/canvas/srgb.hpp"
#include "host/canvas/window_opening.hpp"
#include "host/canvas/window_procedure.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

void reset_stencil_and_masks() {
    auto& calls = platform();
    calls.glDisable(GL_SCISSOR_TEST);
    calls.glDisable(GL_STENCIL_TEST);
    calls.glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    calls.glStencilMask(0xFF);
    calls.glStencilFunc(GL_ALWAYS, 0, 0xFF);
    calls.glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

void count_ended_frame() {
    canvas_frame_flags.fetch_or(2);
    std::int64_t count = canvas_frame_count.load();
    while (count < std::numeric_limits<std::int64_t>::max() &&
           !canvas_frame_count.compare_exchange_weak(count, count + 1)) {
    }
}

bool active_window_converts_to_srgb() {
    const canvas_window* window = active_window();
    return window && window->srgb_active;
}

void fill_quad(float x, float y, float width, float height) {
    auto& calls = platform();
    calls.glBegin(GL_QUADS);
    calls.glVertex2f(x, y);
    calls.glVertex2f(x + width, y);
    calls.glVertex2f(x + width, y + height);
    calls.glVertex2f(x, y + height);
    calls.glEnd();
}

void draw_rect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
               std::int64_t r, std::int64_t g, std::int64_t b) {
    set_draw_color(r, g, b);
    fill_quad(static_cast<float>(x), static_cast<float>(y),
              static_cast<float>(std::max<std::int64_t>(width, 0)), static_cast<float>(height));
}

}  // namespace

canvas_window& require_open_window(std::string_view builtin_name) {
    drain_window_messages();
    canvas_window* window = active_window();
    // Every drawing call passes here: the message is built only on failure.
    if (!window || !window->open || !window->hwnd || !window->hdc || !window->hglrc) {
        raise_canvas_error("window/canvas runtime window is not open for " +
                           std::string(builtin_name));
    }
    platform().wglMakeCurrent(window->hdc, window->hglrc);
    return *window;
}

void BeginFrame() {
    canvas_window& window = require_open_window("BeginFrame");
    auto& calls = platform();
    const std::int32_t width = std::max(window.client_width, 1);
    const std::int32_t height = std::max(window.client_height, 1);
    calls.glViewport(0, 0, width, height);
    calls.glMatrixMode(GL_PROJECTION);
    calls.glLoadIdentity();
    calls.glOrtho(0, width, height, 0, -1, 1);
    calls.glMatrixMode(GL_MODELVIEW);
    calls.glLoadIdentity();
    calls.glDisable(GL_DEPTH_TEST);
    reset_stencil_and_masks();
    calls.glEnable(GL_BLEND);
    if (window.translucent && window.blend_func_separate) {
        window.blend_func_separate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE,
                                   GL_ONE_MINUS_SRC_ALPHA);
    } else {
        calls.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    calls.glClearStencil(0);
    calls.glClearColor(channel_to_float(17), channel_to_float(27), channel_to_float(34), 1);
    calls.glClear(GL_COLOR_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
}

void EndFrame() {
    canvas_window& window = require_open_window("EndFrame");
    count_ended_frame();
    reset_stencil_and_masks();
    platform().glFlush();
    if (window.translucent) {
        present_layered_window(window);
    } else {
        platform().SwapBuffers(window.hdc);
    }
}

void DrawRectRgba(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                  std::int64_t r, std::int64_t g, std::int64_t b) {
    require_open_window("DrawRectRgba");
    draw_rect(x, y, width, height, r, g, b);
}

void DrawRoundedRectRgba(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                         std::int64_t radius, std::int64_t r, std::int64_t g, std::int64_t b) {
    require_open_window("DrawRoundedRectRgba");
    if (width <= 0) {
        return;
    }
    const float corner = rounded_corner_radius(
        static_cast<float>(width), static_cast<float>(height), static_cast<float>(radius));
    if (corner <= 0.5f) {
        draw_rect(x, y, width, height, r, g, b);
        return;
    }
    auto& calls = platform();
    set_draw_color(r, g, b);
    calls.glBegin(GL_TRIANGLE_FAN);
    for (const draw_point& point :
         rounded_rect_fan(static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                          static_cast<float>(height), corner)) {
        calls.glVertex2f(point.x, point.y);
    }
    calls.glEnd();
}

void set_draw_color(std::int64_t r, std::int64_t g, std::int64_t b) {
    auto& calls = platform();
    if (active_window_converts_to_srgb()) {
        calls.glColor4f(srgb_to_linear(r), srgb_to_linear(g), srgb_to_linear(b), 1);
        return;
    }
    const auto byte = [](std::int64_t channel) {
        return static_cast<GLubyte>(std::clamp<std::int64_t>(channel, 0, 255));
    };
    calls.glColor4ub(byte(r), byte(g), byte(b), 255);
}

float channel_to_float(std::int64_t channel) {
    if (active_window_converts_to_srgb()) {
        return srgb_to_linear(channel);
    }
    float value = static_cast<float>(channel);
    if (value > 1) {
        value /= 255;
    } else if (value < 0) {
        value = 0;
    }
    return std::min(value, 1.0f);
}

}  // namespace tamo
