#include "host/canvas/gl_frame.hpp"

#include "host/canvas/platform_calls.hpp"
#include "host/canvas/srgb.hpp"

namespace tamo {
namespace {

float background_channel(const canvas_window& window, int code) {
    return window.srgb_active ? srgb_to_linear(code) : code / 255.0f;
}

}  // namespace

void prepare_gl_frame_and_clear(canvas_window& window) {
    if (!window.hdc || !window.hglrc || window.client_width <= 0 || window.client_height <= 0) {
        return;
    }
    auto& calls = platform();
    if (!calls.wglMakeCurrent(window.hdc, window.hglrc)) {
        return;
    }
    calls.glViewport(0, 0, window.client_width, window.client_height);
    calls.glMatrixMode(GL_PROJECTION);
    calls.glLoadIdentity();
    calls.glOrtho(0, window.client_width, window.client_height, 0, -1, 1);
    calls.glMatrixMode(GL_MODELVIEW);
    calls.glLoadIdentity();
    calls.glDisable(GL_DEPTH_TEST);
    if (window.translucent) {
        calls.glClearColor(0, 0, 0, 0);
        calls.glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    calls.glClearColor(background_channel(window, 10), background_channel(window, 11),
                       background_channel(window, 13), 1);
    for (int buffer = 0; buffer < 2; ++buffer) {
        calls.glClear(GL_COLOR_BUFFER_BIT);
        calls.SwapBuffers(window.hdc);
    }
}

}  // namespace tamo
