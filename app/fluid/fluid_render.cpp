#include <algorithm>

#include "app/fluid/fluid_solver.hpp"
#include "app/fluid/lanes.hpp"
#include "app/fluid/tone_map.hpp"

namespace tamo {
namespace {

constexpr float bright_threshold = 0.8f;
constexpr float bloom_strength = 0.65f;
constexpr float blue_lift = 0.006f;
constexpr float bloom_kernel[5] = {1.0f, 4.0f, 6.0f, 4.0f, 1.0f};
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

}  // namespace

// Across each row the bright part of every cell is taken once into a row
// padded with copies of its edge cells, so the clamped taps need no test.
void fluid_solver::bloom(const field& values, field& glow) {
    const std::size_t cells = static_cast<std::size_t>(width) * height;
    bright_row_.resize(static_cast<std::size_t>(width) + 2 * reach);
    across_.resize(cells);
    glow.resize(cells);
    float* padded = bright_row_.data();
    for (int i = 0; i < height; ++i) {
        const float* row = values.data() + static_cast<std::size_t>(i) * width;
        for_each_lane_group(0, width, [&](auto lanes, int c) {
            store(padded + reach + c, positive_part(load(row + c, lanes) - bright_threshold));
        });
        std::fill(padded, padded + reach, padded[reach]);
        std::fill(padded + reach + width, padded + 2 * reach + width, padded[reach + width - 1]);
        float* out = across_.data() + static_cast<std::size_t>(i) * width;
        for_each_lane_group(0, width, [&](auto lanes, int j) {
            decltype(lanes) sum{};
            for (int l = 0; l < taps; ++l) {
                sum = sum + load(padded + j + 2 * l, lanes) * bloom_kernel[l];
            }
            store(out + j, sum * 0.0625f);
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
            decltype(lanes) sum{};
            for (int l = 0; l < taps; ++l) {
                sum = sum + load(rows[l] + j, lanes) * bloom_kernel[l];
            }
            store(out + j, sum * 0.0625f);
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
