#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "app/canvas_builtins.hpp"
#include "app/fluid/fluid_solver.hpp"

namespace tamo {

struct dye_colour {
    float red;
    float green;
    float blue;
};

// The painting colours; a painting splat adds colour x dt x 24 of each dye.
inline constexpr std::array<dye_colour, 3> dye_palette{{
    {0.9f, 0.1f, 0.5f},
    {0.1f, 0.8f, 0.95f},
    {0.95f, 0.65f, 0.05f},
}};

inline constexpr std::int64_t frame_sleep_ms = 16;

struct loop_state {
    float exposure = 0.8f;
    float sim_time = 0;
    bool paused = false;
    bool fountains_on = true;
    bool bloom_on = true;
    std::int32_t color_index = 0;
    bool left_was_down = false;
    std::int32_t prev_mouse_x = 0;
    std::int32_t prev_mouse_y = 0;
    std::int64_t last_frame_ms = 0;
};

// Seconds from the previous frame's start, from the low 32 bits of both
// clock readings (so the wrap after 49.7 days is harmless), kept within
// 0.001..0.04.
float frame_time_seconds(std::int64_t now_ms, std::int64_t last_frame_ms);

// One frame: messages, window check, frame time, controls, simulation,
// drawing, ESCAPE and the frame sleep. False when the loop ends: the
// primary window is gone at the top of the frame, or ESCAPE was pressed.
bool run_frame(canvas_builtins& canvas, const std::shared_ptr<fluid_solver>& solver,
               const array_handle& pixels, loop_state& state);

// Frames until one ends the loop.
void frame_loop(canvas_builtins& canvas, const std::shared_ptr<fluid_solver>& solver,
                const array_handle& pixels, loop_state& state);

}  // namespace tamo
