#include "app/window_application.hpp"

#include "app/frame_loop.hpp"

namespace tamo {

int run_window_application(canvas_builtins& canvas, const std::shared_ptr<fluid_solver>& solver,
                           const array_handle& pixels) {
    loop_state state;
    state.last_frame_ms = canvas.monotonic_ms();
    solver->splat(28, 30, 25, -18, 4.5f, 0.06f, 1.5f);
    solver->splat(66, 31, -25, 18, 0.02f, 2.5f, 4.5f);
    canvas.open_canvas_window(window_title, 1000, 700);
    frame_loop(canvas, solver, pixels, state);
    canvas.close_all_windows();
    return 0;
}

}  // namespace tamo
