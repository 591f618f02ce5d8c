// Pins the exact bits of a long run, so the native and the Windows builds
// are shown to compute the same fields and pixels.
#include <gtest/gtest.h>

#include <cstring>

#include "app/fluid/fluid_solver.hpp"
#include "app/fluid/fountains.hpp"

namespace tamo {
namespace {

class fingerprint {
  public:
    void add(std::uint32_t word) {
        for (int byte = 0; byte < 4; ++byte) {
            hash_ = (hash_ ^ (word >> (8 * byte) & 0xFF)) * 0x100000001B3ull;
        }
    }
    void add(const fluid_solver::field& values) {
        for (const float value : values) {
            std::uint32_t bits = 0;
            std::memcpy(&bits, &value, sizeof bits);
            add(bits);
        }
    }
    std::uint64_t value() const { return hash_; }

  private:
    std::uint64_t hash_ = 0xCBF29CE484222325ull;
};

TEST(fluid_fingerprint, fountain_run_gives_the_same_bits_everywhere) {
    fluid_solver solver;
    array_handle pixels;
    pixels.resize(6144);
    solver.splat(28, 30, 25, -18, 4.5f, 0.06f, 1.5f);
    solver.splat(66, 31, -25, 18, 0.02f, 2.5f, 4.5f);
    float sim_time = 0.0f;
    fingerprint print;
    for (int frame = 0; frame < 240; ++frame) {
        const float dt = frame % 7 == 0 ? 0.04f : 0.016f;
        sim_time += dt;
        automatic_fountains(solver, sim_time, dt);
        solver.step(dt);
        solver.render(pixels, 0.8f, frame % 3 != 0);
        for (std::uint64_t i = 0; i < pixels.element_count(); ++i) {
            print.add(pixels[i]);
        }
    }
    for (const fluid_solver::field* f :
         {&solver.u, &solver.v, &solver.dye_red, &solver.dye_green, &solver.dye_blue}) {
        print.add(*f);
    }
    EXPECT_EQ(print.value(), 1822205438786133068u);
}

}  // namespace
}  // namespace tamo
