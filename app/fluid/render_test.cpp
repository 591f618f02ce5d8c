#include <gtest/gtest.h>

#include "app/fluid/fluid_solver.hpp"
#include "app/fluid/tone_map.hpp"

namespace tamo {
namespace {

constexpr int width = 96;
constexpr int height = 64;
constexpr int cells = width * height;
constexpr std::uint32_t empty_pixel = 0xFF00000Au;  // alpha 255, blue 10

std::uint32_t red_of(std::uint32_t word) {
    return word >> 16 & 0xFF;
}

fluid_solver::field glow_of(const fluid_solver::field& values) {
    fluid_solver solver;
    fluid_solver::field glow;
    solver.bloom(values, glow);
    return glow;
}

TEST(bloom, keeps_values_up_to_the_threshold_dark) {
    fluid_solver::field values(cells, 0.8f);
    values[100] = -5.0f;
    for (const float value : glow_of(values)) {
        ASSERT_EQ(value, 0.0f);
    }
}

TEST(bloom, spreads_a_bright_cell_over_every_second_neighbour) {
    fluid_solver::field values(cells, 0.0f);
    const int row = 32;
    const int column = 48;
    values[row * width + column] = 1.8f;
    const float excess = 1.8f - 0.8f;
    const fluid_solver::field glow = glow_of(values);
    ASSERT_EQ(glow.size(), static_cast<std::size_t>(cells));
    const float kernel[5] = {1, 4, 6, 4, 1};
    for (int k = 0; k < cells; ++k) {
        const int dr = k / width - row + 4;
        const int dc = k % width - column + 4;
        const bool tap = dr >= 0 && dr <= 8 && dr % 2 == 0 && dc >= 0 && dc <= 8 && dc % 2 == 0;
        if (tap) {
            EXPECT_FLOAT_EQ(glow[k], excess * kernel[dr / 2] * kernel[dc / 2] / 256.0f) << k;
        } else {
            ASSERT_EQ(glow[k], 0.0f) << k;
        }
    }
    EXPECT_FLOAT_EQ(glow[row * width + column], excess * 36.0f / 256.0f);
}

// The taps past the edge repeat the edge cell, so a bright corner counts
// 1 + 4 + 6 times across and down.
TEST(bloom, repeats_the_edge_cell) {
    fluid_solver::field values(cells, 0.0f);
    values[0] = 1.8f;
    const float excess = 1.8f - 0.8f;
    EXPECT_FLOAT_EQ(glow_of(values)[0], excess * 11.0f * 11.0f / 256.0f);
}

TEST(render, empty_canvas_is_dark_blue) {
    for (const bool bloom_on : {true, false}) {
        fluid_solver solver;
        array_handle pixels;
        pixels.resize(cells);
        solver.render(pixels, 0.8f, bloom_on);
        for (int k = 0; k < cells; ++k) {
            ASSERT_EQ(pixels[k], empty_pixel) << k;
        }
    }
}

TEST(render, packs_tone_mapped_channels_into_bgra_words) {
    fluid_solver solver;
    const int k = 30 * width + 45;
    solver.dye_red[k] = 4.0f;
    solver.dye_green[k] = 1.0f;
    array_handle pixels;
    pixels.resize(cells);
    solver.render(pixels, 0.3f, false);
    const auto blue = static_cast<std::uint32_t>(tone_map_channel(0.006f, 0.3f));
    EXPECT_EQ(pixels[k], 0xFF000000u | 234u << 16 | 169u << 8 | blue);
}

TEST(render, bloom_brightens_the_neighbourhood_only_when_on) {
    fluid_solver solver;
    solver.splat(45, 30, 0, 0, 12, 0, 0);
    array_handle plain;
    array_handle glowing;
    plain.resize(cells);
    glowing.resize(cells);
    solver.render(plain, 0.3f, false);
    solver.render(glowing, 0.3f, true);
    const int k = 30 * width + 45;
    EXPECT_GT(red_of(glowing[k]), red_of(plain[k]));
    EXPECT_EQ(red_of(plain[k]), static_cast<std::uint32_t>(tone_map_channel(12.0f, 0.3f)));
}

// A handle longer than the grid gets one word per cell and keeps the rest;
// a shorter one gets as many words as it holds.
TEST(render, writes_no_more_words_than_cells_or_elements) {
    fluid_solver solver;
    array_handle longer;
    longer.resize(cells + 500);
    for (std::uint64_t i = 0; i < longer.element_count(); ++i) {
        longer[i] = 7;
    }
    solver.render(longer, 0.8f, true);
    EXPECT_EQ(longer[cells - 1], empty_pixel);
    for (std::uint64_t i = cells; i < longer.element_count(); ++i) {
        ASSERT_EQ(longer[i], 7u) << i;
    }

    array_handle shorter;
    shorter.resize(10);
    solver.render(shorter, 0.8f, true);
    EXPECT_EQ(shorter.element_count(), 10u);
    EXPECT_EQ(shorter[9], empty_pixel);

    solver.render(array_handle(), 0.8f, true);
}

}  // namespace
}  // namespace tamo
