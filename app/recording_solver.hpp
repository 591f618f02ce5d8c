#pragma once

#include <vector>

#include "app/fluid/fluid_solver.hpp"

namespace tamo {

struct splat_call {
    float x, y, vx, vy, red, green, blue;
    bool operator==(const splat_call&) const = default;
};

// A solver that also records its splats, steps and resets.
class recording_solver : public fluid_solver {
  public:
    void splat(float x, float y, float vx, float vy, float red, float green, float blue) override {
        splats.push_back({x, y, vx, vy, red, green, blue});
        fluid_solver::splat(x, y, vx, vy, red, green, blue);
    }
    void step(float dt) override {
        steps.push_back(dt);
        fluid_solver::step(dt);
    }
    void reset() override {
        ++resets;
        fluid_solver::reset();
    }

    std::vector<splat_call> splats;
    std::vector<float> steps;
    int resets = 0;
};

}  // namespace tamo
