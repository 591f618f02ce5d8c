#pragma once

#include "runtime/bounded_math.hpp"

namespace tamo {

// The three automatic fountains of one frame at simulated time sim_time,
// each a splat whose amounts scale with the frame time dt.
template <typename solver>
void automatic_fountains(solver& fluid, float sim_time, float dt) {
    const float s = bounded_sin(0.55f * sim_time);
    const float c = bounded_cos(0.47f * sim_time);
    fluid.splat(32 + 13 * s, 31 + 13 * c, 110 * c * dt, -110 * s * dt, 7 * dt, 0.03f * dt,
                1.6f * dt);
    fluid.splat(62 - 13 * s, 31 - 13 * c, -110 * c * dt, 110 * s * dt, 0.02f * dt, 3.5f * dt,
                7 * dt);
    fluid.splat(48 + 19 * c, 33 + 17 * s, -55 * s * dt, 55 * c * dt, 5 * dt, 2.4f * dt, 0.02f * dt);
}

}  // namespace tamo
