#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/fluid/array_handle.hpp"
#include "app/fluid/bilinear.hpp"

namespace tamo {

// Real-time fluid on a 96 x 64 grid: a velocity field and three dye fields
// of radiance 0..12, row-major (cell k = row * width + column). Splats add
// dye and momentum, step advects and projects, render turns the dye into
// BGRA pixel words. Every operation is virtual and the operations call one
// another through dispatch, so a derived solver that replaces one changes
// its callers. The work fields live as long as the solver: a frame of
// splats, step and render allocates nothing.
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
    // Writes into glow the soft glow of the parts of values brighter than 0.8.
    virtual void bloom(const field& values, field& glow);
    // Writes min(element count, cells) pixel words 0xFFRRGGBB.
    virtual void render(array_handle pixels, float exposure, bool bloom_on);

    const std::int32_t width;
    const std::int32_t height;
    field u;  // cells per second, positive to the right
    field v;  // cells per second, positive downwards
    field dye_red;
    field dye_green;
    field dye_blue;

  private:
    // Moves every interior cell of each target to its source's value at the
    // cell's back-traced point (along_u, along_v) x dt, times keep.
    template <std::size_t count>
    void advect(const field& along_u, const field& along_v, float dt, float keep,
                const std::array<const field*, count>& sources,
                const std::array<field*, count>& targets);

    void copy_boundary_ring(const field& from, field& to) const;

    field old_u_, old_v_, old_red_, old_green_, old_blue_;
    field divergence_, pressure_, next_pressure_;
    field bright_, across_;
    field glow_red_, glow_green_, glow_blue_;
    std::vector<located_points> row_points_;
};

}  // namespace tamo
