#include "host/canvas/srgb_premultiply.hpp"

#include <algorithm>

#include "host/canvas/srgb.hpp"

namespace tamo {

std::uint8_t premultiply_srgb_channel(std::uint8_t code, std::uint8_t alpha) {
    if (alpha == 0) {
        return 0;
    }
    const auto& table = srgb_to_linear_table();
    const float linear = std::clamp(srgb_to_linear(code) * 255.0f / alpha, 0.0f, 1.0f);
    int lo = 0;
    int hi = 255;
    while (lo + 1 < hi) {
        const int mid = (lo + hi) / 2;
        if (linear >= table[mid]) {
            lo = mid;
        } else {
            hi = mid;
        }
    }
    const int nearest = linear - table[lo] > table[hi] - linear ? hi : lo;
    return static_cast<std::uint8_t>((alpha * nearest + 127) / 255);
}

}  // namespace tamo
