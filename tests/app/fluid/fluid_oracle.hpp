#pragma once

#include <cstdint>
#include <vector>

#include "app/fluid/array_handle.hpp"

namespace tamo {

// The fluid solver, bloom and render read line by line, with no regard for
// speed: every step copies its snapshots, project builds its work fields and
// a new pressure field per sweep, and bloom returns a new field. Tests hold
// the shipped fluid_solver to the same bits.
class fluid_oracle {
  public:
    using field = std::vector<float>;

    fluid_oracle();
    ~fluid_oracle();

    // Every field becomes width x height zeros.
    void reset();
    // Bilinear read with the point kept inside 0.5..width-1.5 and
    // 0.5..height-1.5; a NaN or runaway coordinate reads as 0.
    float sample(const field& values, float x, float y);
    // Adds a soft disc of radius 8 cells to the interior cells; velocity
    // stays within -80..80 and dye within 0..12.
    void splat(float x, float y, float vx, float vy, float red, float green, float blue);
    void zero_boundary_velocity();
    // Mean squared divergence over all cells.
    float divergence_energy();
    // Makes the velocity divergence-free by 28 Jacobi sweeps.
    void project();
    // One simulation step of dt seconds, taken within 0..12.5 (NaN as 0).
    void step(float dt);
    field bloom(const field& values);
    // Writes min(element count, cells) pixel words 0xFFRRGGBB.
    void render(array_handle pixels, float exposure, bool bloom_on);

    const std::int32_t width;
    const std::int32_t height;
    field u;  // cells per second, positive to the right
    field v;  // cells per second, positive downwards
    field dye_red;
    field dye_green;
    field dye_blue;
};

}  // namespace tamo
