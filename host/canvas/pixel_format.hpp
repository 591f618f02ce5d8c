#pragma once

#include "host/canvas/win32.hpp"

namespace tamo {

// The window's legacy descriptor (32 colour bits) or the probe window's (24).
PIXELFORMATDESCRIPTOR legacy_pixel_format_descriptor(BYTE colour_bits);

// A strict sRGB pixel format for the window's device context, or 0. Leaves
// the previously current OpenGL context current again.
int choose_strict_srgb_pixel_format(HDC dc);

// The format offers a double-buffered RGBA window surface with at least
// 8 bits a channel, 24 depth and 8 stencil bits, and converts to sRGB.
// Needs a current OpenGL context to find the query.
bool pixel_format_is_srgb_capable(HDC dc, int index);

// Turns on sRGB framebuffer conversion and confirms it with a texture probe;
// leaves it off when the driver does not honour it.
bool enable_confirmed_srgb_output();

}  // namespace tamo
