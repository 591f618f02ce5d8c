#pragma once

#include <cstdint>

namespace tamo {

// A framebuffer channel (linear light already multiplied by coverage) as the
// sRGB code multiplied by alpha that a layered window shows.
std::uint8_t premultiply_srgb_channel(std::uint8_t code, std::uint8_t alpha);

}  // namespace tamo
