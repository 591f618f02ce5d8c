#pragma once

#include "app/fluid/fluid_solver.hpp"

namespace tamo {

// The three automatic fountains of one frame at simulated time sim_time,
// each a splat whose amounts scale with the frame time dt.
void automatic_fountains(fluid_solver& solver, float sim_time, float dt);

}  // namespace tamo
