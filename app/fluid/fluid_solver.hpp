#pragma once

#include <cstdint>
#include <vector>

#include "app/fluid/array_handle.hpp"

namespace tamo {

// Real-time fluid on a 96 x 64 grid: a velocity field and three dye fields
// of radiance 0..12, row-major (cell k = row * width + column). Splats add
// dye and momentum, step advects and projects, render turns the dye into
// BGRA pixel words. Every operation is virtual and the operations call one
// another through dispatch, so a derived solver that replaces one changes
// its callers.
class fluid_solver {
  public:
    using field = std::vector<float>;

    fluid_solver();
    virtual ~fluid_solver();

    // Every field becomes width x height zeros.
    virtual void reset();
    // Bilinear read with the point kept inside 0.5..width-1.5 and
    // 0.5..height-1.5; a NaN or runaway coordinate reads as 0.
    virtual float sample(const field& values, float x, float y);
    // Adds a soft disc of radius 8 cells to the interior cells; velocity
    // stays within -80..80 and dye within 0..12.
    virtual void splat(float x, float y, float vx, float vy, float red, float green, float blue);
    virtual void zero_boundary_velocity();
    // Mean squared divergence over all cells.
    virtual float divergence_energy();
    // Makes the velocity divergence-free by 28 Jacobi sweeps.
    virtual void project();
    // One simulation step of dt seconds, taken within 0..12.5 (NaN as 0).
    virtual void step(float dt);
    // Soft glow of the parts of values brighter than 0.8.
    virtual field bloom(const field& values);
    // Writes min(element count, cells) pixel words 0xFFRRGGBB.
    virtual void render(array_handle pixels, float exposure, bool bloom_on);

    const std::int32_t width;
    const std::int32_t height;
    field u;  // cells per second, positive to the right
    field v;  // cells per second, positive downwards
    field dye_red;
    field dye_green;
    field dye_blue;
};

}  // namespace tamo
