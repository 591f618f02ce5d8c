#include <algorithm>

#include "app/fluid/fluid_solver.hpp"
#include "app/fluid/lanes.hpp"
#include "app/fluid/tone_map.hpp"

namespace tamo {
namespace {

constexpr float bright_threshold = 0.8f;
constexpr float bloom_strength = 0.65f;
constexpr float blue_lift = 0.006f;
constexpr int taps = 5;
constexpr int reach = 4;  // the outermost tap's distance

std::uint32_t pixel_word(float red, float green, float blue, float exposure) {
    return 0xFF000000u | static_cast<std::uint32_t>(tone_map_channel(red, exposure)) << 16 |
           static_cast<std::uint32_t>(tone_map_channel(green, exposure)) << 8 |
           static_cast<std::uint32_t>(tone_map_channel(blue, exposure));
}

void store_pixels(std::uint32_t* words, std::uint32_t word) {
    *words = word;
}

__m128i pixel_word(float4 red, float4 green, float4 blue, float exposure) {
    const __m128i alpha = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    return _mm_or_si128(_mm_or_si128(alpha, _mm_slli_epi32(tone_map_channels(red, exposure), 16)),
                        _mm_or_si128(_mm_slli_epi32(tone_map_channels(green, exposure), 8),
                                     tone_map_channels(blue, exposure)));
}

void store_pixels(std::uint32_t* words, __m128i word) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(words), word);
}

// The five taps weighted 1, 4, 6, 4, 1 and summed in order.
template <typename lanes>
lanes kernel_sum(lanes t0, lanes t1, lanes t2, lanes t3, lanes t4) {
    return (((t0 * 1.0f + t1 * 4.0f) + t2 * 6.0f) + t3 * 4.0f) + t4 * 1.0f;
}

}  // namespace

// The bright part of every cell is taken once into rows padded with copies
// of their edge cells, so the clamped taps across need no test; all rows
// are done before the taps read them, which then never wait for a store.
// Each sum starts at its first tap rather than at 0 + that tap: the bright
// parts and their weighted sums are never -0 or NaN, so both are the same.
void fluid_solver::bloom(const field& values, field& glow) {
    const std::size_t cells = static_cast<std::size_t>(width) * height;
    const int padded_width = width + 2 * reach;
    bright_.resize(static_cast<std::size_t>(padded_width) * height);
    across_.resize(cells);
    glow.resize(cells);
    for (int i = 0; i < height; ++i) {
        const float* row = values.data() + static_cast<std::size_t>(i) * width;
        float* padded = bright_.data() + static_cast<std::size_t>(i) * padded_width;
        for_each_lane_group(0, width, [&](auto lanes, int c) {
            store(padded + reach + c, positive_part(load(row + c, lanes) - bright_threshold));
        });
        std::fill(padded, padded + reach, padded[reach]);
        std::fill(padded + reach + width, padded + padded_width, padded[reach + width - 1]);
    }
    for (int i = 0; i < height; ++i) {
        const float* padded = bright_.data() + static_cast<std::size_t>(i) * padded_width;
        float* out = across_.data() + static_cast<std::size_t>(i) * width;
        for_each_lane_group(0, width, [&](auto lanes, int j) {
            const float* tap = padded + j;
            store(out + j, kernel_sum(load(tap, lanes), load(tap + 2, lanes), load(tap + 4, lanes),
                                      load(tap + 6, lanes), load(tap + 8, lanes)) *
                               0.0625f);
        });
    }
    for (int i = 0; i < height; ++i) {
        const float* rows[taps];
        for (int l = 0; l < taps; ++l) {
            const int r = std::clamp(i - reach + 2 * l, 0, height - 1);
            rows[l] = across_.data() + static_cast<std::size_t>(r) * width;
        }
        float* out = glow.data() + static_cast<std::size_t>(i) * width;
        for_each_lane_group(0, width, [&](auto lanes, int j) {
            store(out + j, kernel_sum(load(rows[0] + j, lanes), load(rows[1] + j, lanes),
                                      load(rows[2] + j, lanes), load(rows[3] + j, lanes),
                                      load(rows[4] + j, lanes)) *
                               0.0625f);
        });
    }
}

void fluid_solver::render(array_handle pixels, float exposure, bool bloom_on) {
    bloom(dye_red, glow_red_);
    bloom(dye_green, glow_green_);
    bloom(dye_blue, glow_blue_);
    const float weight = bloom_on ? bloom_strength : 0.0f;
    const std::uint64_t cells = static_cast<std::uint64_t>(width) * height;
    const int count = static_cast<int>(std::min(pixels.element_count(), cells));
    std::uint32_t* const words = pixels.data();
    const float* const glow_red = glow_red_.data();
    const float* const glow_green = glow_green_.data();
    const float* const glow_blue = glow_blue_.data();
    const float* const red_dye = dye_red.data();
    const float* const green_dye = dye_green.data();
    const float* const blue_dye = dye_blue.data();
    for_each_lane_group(0, count, [&](auto lanes, int i) {
        const auto red = load(glow_red + i, lanes) * weight + load(red_dye + i, lanes);
        const auto green = load(glow_green + i, lanes) * weight + load(green_dye + i, lanes);
        const auto blue =
            (load(glow_blue + i, lanes) * weight + load(blue_dye + i, lanes)) + blue_lift;
        store_pixels(words + i, pixel_word(red, green, blue, exposure));
    });
}

}  // namespace tamo
