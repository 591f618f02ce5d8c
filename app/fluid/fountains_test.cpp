#include "app/fluid/fountains.hpp"
#include "app/fluid/fluid_solver.hpp"

#include <gtest/gtest.h>

namespace tamo {
namespace {

// At time 0 (s = 0, c = 1) the fountains sit at (32, 44), (62, 18) and (67, 33).
TEST(automatic_fountains, splat_at_their_starting_points) {
    fluid_solver solver;
    automatic_fountains(solver, 0.0f, 0.5f);
    EXPECT_FLOAT_EQ(solver.dye_red[44 * 96 + 32], 3.5f);
    EXPECT_FLOAT_EQ(solver.u[44 * 96 + 32], 55.0f);
    EXPECT_FLOAT_EQ(solver.dye_blue[18 * 96 + 62], 3.5f);
    EXPECT_FLOAT_EQ(solver.u[18 * 96 + 62], -55.0f);
    EXPECT_FLOAT_EQ(solver.dye_green[33 * 96 + 67], 1.2f);
    EXPECT_FLOAT_EQ(solver.v[33 * 96 + 67], 27.5f);
}

TEST(automatic_fountains, add_nothing_for_a_zero_frame_time) {
    fluid_solver solver;
    automatic_fountains(solver, 3.0f, 0.0f);
    EXPECT_EQ(solver.dye_red, fluid_solver::field(6144, 0.0f));
    EXPECT_EQ(solver.u, fluid_solver::field(6144, 0.0f));
}

}  // namespace
}  // namespace tamo
