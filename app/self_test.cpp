#include "app/self_test.hpp"

#include <cmath>
#include <cstdlib>
#include <iostream>
#include <limits>

#include "app/fluid/tone_map.hpp"

namespace tamo {
namespace {

// A cell the field lacks reads as NaN, which fails every check that reads it.
float cell_or_nan(const fluid_solver::field& values, std::size_t k) {
    return k < values.size() ? values[k] : std::numeric_limits<float>::quiet_NaN();
}

}  // namespace

void expect_or_exit(bool condition, std::string_view name) {
    if (!condition) {
        std::cerr << name << std::endl;
        std::exit(2);
    }
}

void self_test(fluid_solver& solver, array_handle pixels) {
    solver.splat(45, 30, 30, 17, 1, 0.2f, 0.7f);
    const float before = solver.divergence_energy();
    solver.project();
    const float after = solver.divergence_energy();
    expect_or_exit(before > after, "projection reduces divergence");

    const fluid_solver::field red_before = solver.dye_red;
    solver.step(0.033f);
    const fluid_solver::field red_after = solver.dye_red;
    bool advected = false;
    for (std::size_t k = 0; k < red_after.size(); ++k) {
        const float value = red_after[k];
        expect_or_exit(value >= 0.0f && value <= 12.0f, "bounded dye");
        if (std::fabs(value - cell_or_nan(red_before, k)) > 0.001f) {
            advected = true;
        }
    }
    expect_or_exit(advected, "dye advects");

    solver.render(pixels, 0.8f, true);
    expect_or_exit(pixels.element_count() == 6144, "pixel dimensions");

    solver.splat(45, 30, 0, 0, 5, 2, 0.5f);
    expect_or_exit(cell_or_nan(solver.dye_red, 2925) > 1.0f, "HDR radiance retained");
    expect_or_exit(tone_map_channel(4.0f, 0.3f) > tone_map_channel(1.0f, 0.3f),
                   "HDR highlight detail survives tone mapping");

    solver.reset();
    expect_or_exit(solver.divergence_energy() == 0.0f && cell_or_nan(solver.dye_red, 3000) == 0.0f,
                   "reset");

    std::cout << "ink-drifter: pass" << std::endl;
    std::exit(0);
}

}  // namespace tamo
