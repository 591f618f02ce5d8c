#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/canvas_builtins.hpp"
#include "app/fluid/fluid_solver.hpp"

namespace tamo {

struct screen_rect {
    std::int32_t x;
    std::int32_t y;
    std::int32_t width;
    std::int32_t height;
};

inline constexpr screen_rect canvas_rect{34, 161, 672, 448};
inline constexpr std::int32_t canvas_cell_pixels = 7;
inline constexpr std::int32_t button_row_y = 627;
inline constexpr std::int32_t button_height = 44;
inline constexpr screen_rect pause_button{34, button_row_y, 160, button_height};
inline constexpr screen_rect clear_button{210, button_row_y, 130, button_height};
inline constexpr screen_rect fountains_button{358, button_row_y, 200, button_height};
inline constexpr screen_rect color_button{576, button_row_y, 180, button_height};

struct rgb8 {
    std::int32_t r;
    std::int32_t g;
    std::int32_t b;
    bool operator==(const rgb8&) const = default;
};

// What the screen shows besides the fluid.
struct screen_settings {
    float exposure;
    bool bloom_on;
    bool paused;
    bool fountains_on;
    std::int32_t color_index;
};

// The cursor lies in the rectangle; each bound is tested with a fresh
// position query, stopping at the first that fails.
bool mouse_in_rect(canvas_builtins& canvas, const screen_rect& rect);

void draw_label(canvas_builtins& canvas, std::string_view text, std::int32_t x, std::int32_t y,
                std::int32_t size);
void draw_hint_text(canvas_builtins& canvas, std::string_view text, std::int32_t x, std::int32_t y);

rgb8 button_fill(bool active, bool hovered);
void draw_button(canvas_builtins& canvas, std::string_view label, std::int32_t x,
                 std::int32_t width, bool active);

// Half the width of the swatch disc's row at screen row y (636..662).
std::int32_t swatch_half_width(std::int32_t y);
void draw_color_swatch(canvas_builtins& canvas, const rgb8& colour);
rgb8 swatch_colour(std::int32_t color_index);

// "Exposure: N / Up + Down" with N the exposure in percent, rounded.
std::string exposure_line(float exposure);

// One whole frame from BeginFrame to EndFrame, the fluid rendered into the
// pixel buffer on the way.
void draw_screen(canvas_builtins& canvas, fluid_solver& solver, const array_handle& pixels,
                 const screen_settings& settings);

}  // namespace tamo
