#include "host/canvas/srgb_premultiply.hpp"

#include <algorithm>
#include <array>
#include <memory>

#include "host/canvas/srgb.hpp"

namespace tamo {
namespace {

std::uint8_t nearest_premultiplied_code(int code, int alpha) {
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

}  // namespace

// Every channel of every presented pixel comes here, so the 256 x 256
// answers are worked out once.
std::uint8_t premultiply_srgb_channel(std::uint8_t code, std::uint8_t alpha) {
    static const auto answers = [] {
        auto codes = std::make_unique<std::array<std::uint8_t, 256 * 256>>();
        for (int a = 0; a < 256; ++a) {
            for (int c = 0; c < 256; ++c) {
                (*codes)[static_cast<std::size_t>(a * 256 + c)] = nearest_premultiplied_code(c, a);
            }
        }
        return codes;
    }();
    return (*answers)[std::size_t{alpha} * 256 + code];
}

}  // namespace tamo
