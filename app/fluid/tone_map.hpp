#pragma once

#include <cstdint>

namespace tamo {

// Display value 0..255 of a radiance at an exposure: the ACES filmic curve
// encoded with a square root. A curve value that is NaN (an overflowing
// product) counts as white.
std::int32_t tone_map_channel(float radiance, float exposure);

}  // namespace tamo
