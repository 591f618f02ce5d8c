#pragma once

#include <memory>

#include "app/canvas_builtins.hpp"
#include "app/fluid/fluid_solver.hpp"

namespace tamo {

inline constexpr char window_title[] = "Vividswirl / Tamo + Quorvel fluid";

// The interactive toy: two seed splats, the 1000 x 700 window, frames until
// the window is gone or ESCAPE is pressed, then every window closed.
// Answers status 0.
int run_window_application(canvas_builtins& canvas, const std::shared_ptr<fluid_solver>& solver,
                           const array_handle& pixels);

}  // namespace tamo
