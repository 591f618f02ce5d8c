#pragma once

#include <cstdint>

#include "app/fluid/array_handle.hpp"

namespace tamo {

// Largest texture side the driver takes (GL_MAX_TEXTURE_SIZE).
std::int64_t max_texture_size();

// Whether width x height pixels fit a texture and match the element count:
// both at least 1 and within the texture limit, and their product equal to
// the count.
bool pixel_image_size_fits(std::uint64_t element_count, std::int64_t width, std::int64_t height,
                           std::int64_t texture_limit);

// Draws the 0xAARRGGBB elements (row 0 at the top) stretched over the
// destination rectangle with hard pixel edges; draws nothing when the size
// does not fit.
void DrawPixelsBgra8(array_handle pixels, std::int64_t width, std::int64_t height, std::int64_t x,
                     std::int64_t y, std::int64_t draw_width, std::int64_t draw_height);

}  // namespace tamo
