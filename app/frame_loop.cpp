#include "app/frame_loop.hpp"

#include "app/fluid/fountains.hpp"
#include "app/screen_layout.hpp"
#include "runtime/bounded_math.hpp"

namespace tamo {
namespace {

// A button click stands in for its key only when the key was not pressed;
// the key is queried exactly once either way.
bool key_or_click(canvas_builtins& canvas, const char* key, bool click, const screen_rect& button) {
    return canvas.key_pressed(key) || (click && mouse_in_rect(canvas, button));
}

void apply_controls(canvas_builtins& canvas, fluid_solver& solver, loop_state& state, float dt,
                    bool click) {
    if (key_or_click(canvas, "SPACE", click, pause_button)) {
        state.paused = !state.paused;
    }
    if (key_or_click(canvas, "R", click, clear_button)) {
        solver.reset();
    }
    if (key_or_click(canvas, "A", click, fountains_button)) {
        state.fountains_on = !state.fountains_on;
    }
    if (key_or_click(canvas, "C", click, color_button)) {
        state.color_index = state.color_index + 1 > 2 ? 0 : state.color_index + 1;
    }
    if (canvas.key_pressed("B")) {
        state.bloom_on = !state.bloom_on;
    }
    if (canvas.key_is_down("UP")) {
        state.exposure += dt;
    }
    if (canvas.key_is_down("DOWN")) {
        state.exposure -= dt;
    }
    state.exposure = bounded_clamp(state.exposure, 0.15f, 3.0f);
}

// A drag splat at the cursor, moving with the cursor's motion since the
// previous frame; the press frame adds dye without motion.
void paint(canvas_builtins& canvas, fluid_solver& solver, const loop_state& state, float dt,
           bool click) {
    const dye_colour colour = dye_palette[static_cast<std::size_t>(state.color_index)];
    const std::int32_t mx = canvas.mouse_x();
    const std::int32_t my = canvas.mouse_y();
    const float dx = click ? 0.0f : static_cast<float>(mx - state.prev_mouse_x) / 7;
    const float dy = click ? 0.0f : static_cast<float>(my - state.prev_mouse_y) / 7;
    const float px = static_cast<float>(canvas.mouse_x() - canvas_rect.x) / 7;
    const float py = static_cast<float>(canvas.mouse_y() - canvas_rect.y) / 7;
    solver.splat(px, py, 2 * dx, 2 * dy, colour.red * dt * 24, colour.green * dt * 24,
                 colour.blue * dt * 24);
}

}  // namespace

float frame_time_seconds(std::int64_t now_ms, std::int64_t last_frame_ms) {
    const std::uint32_t elapsed =
        static_cast<std::uint32_t>(now_ms) - static_cast<std::uint32_t>(last_frame_ms);
    const float dt = static_cast<float>(static_cast<std::int32_t>(elapsed)) / 1000;
    if (dt < 0.001f) {
        return 0.001f;
    }
    return dt > 0.04f ? 0.04f : dt;
}

bool run_frame(canvas_builtins& canvas, const std::shared_ptr<fluid_solver>& solver,
               const array_handle& pixels, loop_state& state) {
    canvas.drain_window_messages();
    if (!canvas.primary_window_open()) {
        return false;
    }
    const std::shared_ptr<fluid_solver> held = solver;
    const std::int64_t now = canvas.monotonic_ms();
    const float dt = frame_time_seconds(now, state.last_frame_ms);
    const bool left = canvas.mouse_button_down("LEFT");
    const bool click = left && !state.left_was_down;

    apply_controls(canvas, *held, state, dt, click);
    if (!state.paused) {
        state.sim_time += dt;
        if (state.fountains_on) {
            automatic_fountains(*held, state.sim_time, dt);
        }
        if (left && mouse_in_rect(canvas, canvas_rect)) {
            paint(canvas, *held, state, dt, click);
        }
        held->step(dt);
    }
    state.prev_mouse_x = canvas.mouse_x();
    state.prev_mouse_y = canvas.mouse_y();
    draw_screen(
        canvas, *held, pixels,
        {state.exposure, state.bloom_on, state.paused, state.fountains_on, state.color_index});
    if (canvas.key_pressed("ESCAPE")) {
        return false;
    }
    canvas.sleep_frame(frame_sleep_ms);
    state.last_frame_ms = now;
    state.left_was_down = left;
    return true;
}

void frame_loop(canvas_builtins& canvas, const std::shared_ptr<fluid_solver>& solver,
                const array_handle& pixels, loop_state& state) {
    while (run_frame(canvas, solver, pixels, state)) {
    }
}

}  // namespace tamo
