#pragma once

#include <cstdint>
#include <string>

#include "host/canvas/canvas_test_support.hpp"
#include "host/canvas/frame_builtins.hpp"

namespace tamo {

struct rgb {
    int r;
    int g;
    int b;
    bool operator==(const rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const rgb& colour) {
    return out << "(" << colour.r << ", " << colour.g << ", " << colour.b << ")";
}

inline constexpr rgb background_rgb{17, 27, 34};

// Draws into the back buffer of the toy's window and reads it back before
// any swap, in client pixels from the top left.
class drawing_test : public canvas_window_test {
  protected:
    void SetUp() override {
        canvas_window_test::SetUp();
        BeginFrame();
    }

    rgb pixel(int x, int y) const {
        unsigned char bytes[4] = {};
        glReadBuffer(GL_BACK);
        glReadPixels(x, window->client_height - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bytes);
        return {bytes[0], bytes[1], bytes[2]};
    }

    // Pixels of the rectangle that are not the background.
    int drawn_pixels(int x, int y, int width, int height) const {
        int drawn = 0;
        for (int row = y; row < y + height; ++row) {
            for (int column = x; column < x + width; ++column) {
                drawn += pixel(column, row) == background_rgb ? 0 : 1;
            }
        }
        return drawn;
    }
};

inline std::string not_open_message(const std::string& builtin) {
    return "window.canvas: window/canvas runtime window is not open for " + builtin;
}

}  // namespace tamo
