#include "host/canvas/pixel_drawing.hpp"

#include "host/canvas/frame_builtins.hpp"
#include "host/canvas/platform_calls.hpp"

namespace tamo {
namespace {

void set_nearest_clamped_sampling() {
    auto& calls = platform();
    calls.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    calls.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    calls.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    calls.glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
}

}  // namespace

std::int64_t max_texture_size() {
    GLint size = 0;
    platform().glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size;
}

bool pixel_image_size_fits(std::uint64_t element_count, std::int64_t width, std::int64_t height,
                           std::int64_t texture_limit) {
    if (width < 1 || height < 1 || width > texture_limit || height > texture_limit) {
        return false;
    }
    // Both sides are below 2^31 here, so the product cannot overflow.
    return static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) == element_count;
}

void DrawPixelsBgra8(array_handle pixels, std::int64_t width, std::int64_t height, std::int64_t x,
                     std::int64_t y, std::int64_t draw_width, std::int64_t draw_height) {
    canvas_window& window = require_open_window("DrawPixelsBgra8");
    if (!pixel_image_size_fits(pixels.element_count(), width, height, max_texture_size())) {
        return;
    }
    auto& calls = platform();
    GLuint texture = 0;
    calls.glGenTextures(1, &texture);
    if (texture == 0) {
        return;
    }
    calls.glBindTexture(GL_TEXTURE_2D, texture);
    set_nearest_clamped_sampling();
    calls.glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    // On this little-endian system the words 0xAARRGGBB already lie in memory
    // as the bytes B, G, R, A.
    calls.glTexImage2D(GL_TEXTURE_2D, 0, window.srgb_active ? GL_SRGB8_ALPHA8 : GL_RGBA,
                       static_cast<GLsizei>(width), static_cast<GLsizei>(height), 0, GL_BGRA,
                       GL_UNSIGNED_BYTE, pixels.data());
    set_nearest_clamped_sampling();
    calls.glEnable(GL_TEXTURE_2D);

    set_draw_color(255, 255, 255);
    const auto left = static_cast<float>(x);
    const auto top = static_cast<float>(y);
    // Added as floats: an edge beyond the 64-bit range must not wrap around.
    const auto right = left + static_cast<float>(draw_width);
    const auto bottom = top + static_cast<float>(draw_height);
    calls.glBegin(GL_QUADS);
    calls.glTexCoord2f(0, 0);
    calls.glVertex2f(left, top);
    calls.glTexCoord2f(1, 0);
    calls.glVertex2f(right, top);
    calls.glTexCoord2f(1, 1);
    calls.glVertex2f(right, bottom);
    calls.glTexCoord2f(0, 1);
    calls.glVertex2f(left, bottom);
    calls.glEnd();

    calls.glDisable(GL_TEXTURE_2D);
    calls.glBindTexture(GL_TEXTURE_2D, 0);
    calls.glDeleteTextures(1, &texture);
}

}  // namespace tamo
