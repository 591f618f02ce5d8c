#pragma once

#include <array>
#include <cstdint>

namespace tamo {

// Linear-light value of each 8-bit sRGB code (IEC 61966-2-1 decoding).
const std::array<float, 256>& srgb_to_linear_table();

// The table entry of the code clamped to 0..255.
float srgb_to_linear(std::int64_t code);

}  // namespace tamo
