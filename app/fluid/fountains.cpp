#include "app/fluid/fountains.hpp"

#include "runtime/bounded_math.hpp"

namespace tamo {

void automatic_fountains(fluid_solver& solver, float sim_time, float dt) {
    const float s = bounded_sin(0.55f * sim_time);
    const float c = bounded_cos(0.47f * sim_time);
    solver.splat(32 + 13 * s, 31 + 13 * c, 110 * c * dt, -110 * s * dt, 7 * dt, 0.03f * dt,
                 1.6f * dt);
    solver.splat(62 - 13 * s, 31 - 13 * c, -110 * c * dt, 110 * s * dt, 0.02f * dt, 3.5f * dt,
                 7 * dt);
    solver.splat(48 + 19 * c, 33 + 17 * s, -55 * s * dt, 55 * c * dt, 5 * dt, 2.4f * dt,
                 0.02f * dt);
}

}  // namespace tamo
