#include "host/canvas/srgb.hpp"

#include <algorithm>
#include <cmath>

namespace tamo {

const std::array<float, 256>& srgb_to_linear_table() {
    static const std::array<float, 256> table = [] {
        std::array<float, 256> entries{};
        for (int code = 0; code < 256; ++code) {
            const double v = code / 255.0;
            const double linear = v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
            entries[code] = static_cast<float>(linear);
        }
        return entries;
    }();
    return table;
}

float srgb_to_linear(std::int64_t code) {
    return srgb_to_linear_table()[std::clamp<std::int64_t>(code, 0, 255)];
}

}  // namespace tamo
