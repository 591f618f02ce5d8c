#include "app/screen_layout.hpp"

#include <array>
#include <cmath>

#include "runtime/text_format.hpp"

namespace tamo {
namespace {

constexpr rgb8 label_colour{221, 233, 230};
constexpr rgb8 hint_colour{139, 169, 169};
constexpr std::int32_t swatch_centre_x = 784;
constexpr std::int32_t swatch_centre_y = 649;
constexpr std::int32_t swatch_radius = 13;
constexpr std::int32_t right_column_x = 737;

struct placed_hint {
    const char* text;
    std::int32_t y;
};

}  // namespace

// The far edges are summed in 64 bits, so a rectangle reaching past the
// int32 range does not wrap round.
bool mouse_in_rect(canvas_builtins& canvas, const screen_rect& rect) {
    return rect.x <= canvas.mouse_x() && canvas.mouse_x() < std::int64_t{rect.x} + rect.width &&
           rect.y <= canvas.mouse_y() && canvas.mouse_y() < std::int64_t{rect.y} + rect.height;
}

void draw_label(canvas_builtins& canvas, std::string_view text, std::int32_t x, std::int32_t y,
                std::int32_t size) {
    canvas.draw_text_styled(text, x, y, size >= 150 ? 330 : 250, label_colour.r, label_colour.g,
                            label_colour.b);
}

void draw_hint_text(canvas_builtins& canvas, std::string_view text, std::int32_t x,
                    std::int32_t y) {
    canvas.draw_text_styled(text, x, y, 150, hint_colour.r, hint_colour.g, hint_colour.b);
}

rgb8 button_fill(bool active, bool hovered) {
    rgb8 fill = active ? rgb8{48, 116, 96} : rgb8{37, 53, 58};
    if (hovered) {
        fill = {fill.r + 12, fill.g + 12, fill.b + 12};
    }
    return fill;
}

void draw_button(canvas_builtins& canvas, std::string_view label, std::int32_t x,
                 std::int32_t width, bool active) {
    const rgb8 fill =
        button_fill(active, mouse_in_rect(canvas, {x, button_row_y, width, button_height}));
    canvas.draw_rounded_rect(x, button_row_y, width, button_height, 10, fill.r, fill.g, fill.b);
    draw_label(canvas, label, x + 15, 638, 100);
}

std::int32_t swatch_half_width(std::int32_t y) {
    const std::int32_t dy = y - swatch_centre_y;
    const float half = std::sqrt(static_cast<float>(swatch_radius * swatch_radius - dy * dy));
    return static_cast<std::int32_t>(std::lround(half));
}

void draw_color_swatch(canvas_builtins& canvas, const rgb8& colour) {
    for (std::int32_t y = swatch_centre_y - swatch_radius; y <= swatch_centre_y + swatch_radius;
         ++y) {
        const std::int32_t half = swatch_half_width(y);
        canvas.draw_rect(swatch_centre_x - half, y, 2 * half + 1, 1, colour.r, colour.g, colour.b);
    }
}

rgb8 swatch_colour(std::int32_t color_index) {
    constexpr std::array<rgb8, 3> colours{{{236, 93, 168}, {80, 207, 237}, {244, 196, 66}}};
    return colours.at(static_cast<std::size_t>(color_index));
}

std::string exposure_line(float exposure) {
    const float percent = exposure * 100;
    return format_message("Exposure: {0} / Up + Down", {std::to_string(std::lround(percent))});
}

void draw_screen(canvas_builtins& canvas, fluid_solver& solver, const array_handle& pixels,
                 const screen_settings& settings) {
    canvas.begin_frame();
    draw_hint_text(canvas, "TAMO / OPEN SOURCE PLAYGROUND", 34, 25);
    draw_label(canvas, "Vividswirl", 34, 57, 210);
    draw_hint_text(canvas, "Paint with motion. Let color find its own way.", 36, 111);
    solver.render(pixels, settings.exposure, settings.bloom_on);
    canvas.draw_pixels(pixels, solver.width, solver.height, canvas_rect.x, canvas_rect.y,
                       canvas_rect.width, canvas_rect.height);
    draw_label(canvas, "Liquid light.", right_column_x, 186, 145);
    draw_label(canvas, "Color without limits.", right_column_x, 223, 145);
    const std::string exposure_text = exposure_line(settings.exposure);
    const std::array<placed_hint, 8> hints{{
        {"DRAG / ADD DYE + MOMENTUM", 286},
        {"SPACE / PAUSE", 324},
        {"C / CHANGE COLOR", 360},
        {"A / AUTOMATIC FOUNTAINS", 396},
        {"HDR radiance / SDR tone map", 471},
        {exposure_text.c_str(), 502},
        {"B / toggle soft bloom", 533},
        {"96 x 64 / real fluid flow", 564},
    }};
    for (const placed_hint& hint : hints) {
        draw_hint_text(canvas, hint.text, right_column_x, hint.y);
    }
    draw_button(canvas, settings.paused ? "Resume / Space" : "Pause / Space", pause_button.x,
                pause_button.width, true);
    draw_button(canvas, "Clear / R", clear_button.x, clear_button.width, false);
    draw_button(canvas, settings.fountains_on ? "Fountains: on / A" : "Fountains: off / A",
                fountains_button.x, fountains_button.width, false);
    draw_button(canvas, "Color / C", color_button.x, color_button.width, false);
    draw_color_swatch(canvas, swatch_colour(settings.color_index));
    canvas.end_frame();
}

}  // namespace tamo
