#include "app/fluid/fluid_solver.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tamo {
namespace {

constexpr int width = 96;
constexpr int height = 64;
constexpr int cells = width * height;
const float nan = std::numeric_limits<float>::quiet_NaN();

int index_of(int row, int column) {
    return row * width + column;
}
bool on_boundary(int k) {
    const int row = k / width;
    const int column = k % width;
    return row == 0 || row == height - 1 || column == 0 || column == width - 1;
}

std::vector<fluid_solver::field*> fields_of(fluid_solver& solver) {
    return {&solver.u, &solver.v, &solver.dye_red, &solver.dye_green, &solver.dye_blue};
}

void expect_all_zero(fluid_solver& solver) {
    for (const fluid_solver::field* f : fields_of(solver)) {
        ASSERT_EQ(f->size(), static_cast<std::size_t>(cells));
        for (const float value : *f) {
            ASSERT_EQ(value, 0.0f);
        }
    }
    EXPECT_EQ(solver.divergence_energy(), 0.0f);
}

TEST(fluid_solver, starts_and_resets_to_zero) {
    fluid_solver solver;
    EXPECT_EQ(solver.width, width);
    EXPECT_EQ(solver.height, height);
    expect_all_zero(solver);
    solver.splat(45, 30, 30, 17, 1, 0.2f, 0.7f);
    solver.step(0.033f);
    solver.reset();
    expect_all_zero(solver);
}

TEST(fluid_solver, splat_reaches_cells_closer_than_eight) {
    fluid_solver solver;
    solver.splat(45, 30, 10, -10, 1, 1, 1);
    int changed = 0;
    for (int k = 0; k < cells; ++k) {
        const int dx = k % width - 45;
        const int dy = k / width - 30;
        const bool inside = dx * dx + dy * dy < 64;
        EXPECT_EQ(solver.dye_red[k] != 0.0f, inside) << k;
        changed += inside;
    }
    EXPECT_EQ(changed, 193);
    EXPECT_EQ(solver.dye_red[index_of(30, 45)], 1.0f);
    EXPECT_EQ(solver.u[index_of(30, 45)], 10.0f);
    EXPECT_EQ(solver.v[index_of(30, 45)], -10.0f);
    EXPECT_EQ(solver.dye_blue[index_of(30, 53)], 0.0f) << "distance exactly 8";
    EXPECT_GT(solver.dye_blue[index_of(30, 52)], 0.0f);
    EXPECT_FLOAT_EQ(solver.dye_green[index_of(34, 45)], 0.75f * 0.75f);
}

TEST(fluid_solver, splat_on_the_boundary_touches_interior_only) {
    fluid_solver solver;
    for (const float x : {0.0f, 95.0f, 40.0f}) {
        solver.splat(x, x == 40.0f ? 63.0f : 0.0f, 5, 5, 3, 3, 3);
    }
    solver.step(0.016f);
    solver.splat(0, 30, 50, 0, 6, 6, 6);
    solver.step(0.04f);
    int touched = 0;
    for (int k = 0; k < cells; ++k) {
        if (on_boundary(k)) {
            ASSERT_EQ(solver.dye_red[k], 0.0f) << k;
            ASSERT_EQ(solver.dye_blue[k], 0.0f) << k;
        } else {
            touched += solver.dye_red[k] != 0.0f;
        }
    }
    EXPECT_GT(touched, 0);
}

TEST(fluid_solver, repeated_splats_saturate) {
    fluid_solver solver;
    for (int n = 0; n < 50; ++n) {
        solver.splat(45, 30, 900, -900, 40, 40, 40);
    }
    EXPECT_EQ(solver.u[index_of(30, 45)], 80.0f);
    EXPECT_EQ(solver.v[index_of(30, 45)], -80.0f);
    for (const fluid_solver::field* f : {&solver.dye_red, &solver.dye_green, &solver.dye_blue}) {
        EXPECT_EQ((*f)[index_of(30, 45)], 12.0f);
        for (const float value : *f) {
            ASSERT_GE(value, 0.0f);
            ASSERT_LE(value, 12.0f);
        }
    }
}

// NaN and runaway amounts set the touched cells to 0; a NaN centre touches nothing.
TEST(fluid_solver, bad_splat_amounts_clear_the_touched_cells) {
    fluid_solver solver;
    solver.splat(45, 30, 10, 10, 2, 2, 2);
    solver.splat(45, 30, nan, 2e6f, nan, 1e7f, std::numeric_limits<float>::infinity());
    const int k = index_of(30, 45);
    EXPECT_EQ(solver.u[k], 0.0f);
    EXPECT_EQ(solver.v[k], 0.0f);
    EXPECT_EQ(solver.dye_red[k], 0.0f);
    EXPECT_EQ(solver.dye_green[k], 0.0f);
    EXPECT_EQ(solver.dye_blue[k], 0.0f);

    fluid_solver untouched;
    untouched.splat(nan, 30, 10, 10, 2, 2, 2);
    untouched.splat(45, nan, 10, 10, 2, 2, 2);
    expect_all_zero(untouched);
}

TEST(fluid_solver, sample_reads_cells_and_clamps_the_point) {
    fluid_solver solver;
    fluid_solver::field values(cells);
    for (int k = 0; k < cells; ++k) {
        values[k] = static_cast<float>(k);
    }
    EXPECT_EQ(solver.sample(values, 45, 30), values[index_of(30, 45)]);
    EXPECT_EQ(solver.sample(values, 45.5f, 30), values[index_of(30, 45)] + 0.5f);
    EXPECT_EQ(solver.sample(values, -3, 30), solver.sample(values, 0.5f, 30));
    EXPECT_EQ(solver.sample(values, 200, 30), solver.sample(values, 94.5f, 30));
    EXPECT_EQ(solver.sample(values, 20, -7), solver.sample(values, 20, 0.5f));
    EXPECT_EQ(solver.sample(values, 20, 90), solver.sample(values, 20, 62.5f));
    EXPECT_EQ(solver.sample(values, nan, 30), values[index_of(30, 0)]) << "NaN reads as 0";
    EXPECT_EQ(solver.sample(values, 2e6f, nan), values[0]);
}

TEST(fluid_solver, divergence_energy_averages_over_every_cell) {
    fluid_solver solver;
    solver.u[index_of(10, 11)] = 2.0f;
    EXPECT_EQ(solver.divergence_energy(), 2.0f / 6144.0f);
}

TEST(fluid_solver, project_reduces_divergence_and_clears_the_boundary_velocity) {
    fluid_solver solver;
    solver.splat(45, 30, 30, 17, 1, 0.2f, 0.7f);
    solver.u[index_of(0, 3)] = 5.0f;
    solver.v[index_of(40, 95)] = 5.0f;
    const fluid_solver::field dye_before = solver.dye_red;
    const float before = solver.divergence_energy();
    solver.project();
    EXPECT_LT(solver.divergence_energy(), before);
    for (int k = 0; k < cells; ++k) {
        if (on_boundary(k)) {
            ASSERT_EQ(solver.u[k], 0.0f) << k;
            ASSERT_EQ(solver.v[k], 0.0f) << k;
        }
    }
    EXPECT_EQ(solver.dye_red, dye_before);
}

// Replacing project shows step's own advection and that step reaches
// project through dispatch.
class solver_without_projection : public fluid_solver {
  public:
    void project() override { ++projections; }
    int projections = 0;
};

TEST(fluid_solver, step_zero_keeps_dye_and_scales_velocity) {
    solver_without_projection solver;
    solver.splat(45, 30, 30, 17, 1, 0.2f, 0.7f);
    solver.splat(20, 20, -40, 3, 11, 0, 5);
    const fluid_solver::field u_before = solver.u;
    const fluid_solver::field red_before = solver.dye_red;
    const fluid_solver::field blue_before = solver.dye_blue;
    solver.step(0.0f);
    EXPECT_EQ(solver.projections, 1);
    EXPECT_EQ(solver.dye_red, red_before);
    EXPECT_EQ(solver.dye_blue, blue_before);
    for (int k = 0; k < cells; ++k) {
        ASSERT_EQ(solver.u[k], on_boundary(k) ? u_before[k] : u_before[k] * 0.998f) << k;
    }
}

void expect_same_fields(fluid_solver& a, fluid_solver& b) {
    const auto fa = fields_of(a);
    const auto fb = fields_of(b);
    for (std::size_t f = 0; f < fa.size(); ++f) {
        EXPECT_EQ(*fa[f], *fb[f]) << "field " << f;
    }
}

// A NaN, negative or runaway dt is absorbed: it acts as 0 or as 12.5, and the
// dye stays within 0..12.
TEST(fluid_solver, step_guards_its_time_step) {
    struct dt_case {
        float dt;
        float acts_as;
    };
    const dt_case cases[] = {{nan, 0.0f},    {-1.0f, 0.0f},  {1e30f, 0.0f},
                             {40.0f, 12.5f}, {12.5f, 12.5f}, {0.016f, 0.016f}};
    for (const dt_case& c : cases) {
        fluid_solver guarded;
        fluid_solver reference;
        for (fluid_solver* s : {&guarded, &reference}) {
            s->splat(45, 30, 80, -60, 12, 6, 12);
            s->splat(50, 33, -80, 60, 12, 12, 1);
        }
        guarded.step(c.dt);
        reference.step(c.acts_as);
        expect_same_fields(guarded, reference);
        for (const fluid_solver::field* f :
             {&guarded.dye_red, &guarded.dye_green, &guarded.dye_blue}) {
            for (const float value : *f) {
                ASSERT_TRUE(value >= 0.0f && value <= 12.0f) << c.dt << ": " << value;
            }
        }
    }
}

TEST(fluid_solver, step_moves_dye_along_the_velocity) {
    fluid_solver solver;
    solver.splat(30, 30, 40, 0, 3, 0, 0);
    for (int n = 0; n < 30; ++n) {
        solver.step(0.033f);
    }
    EXPECT_GT(solver.dye_red[index_of(30, 38)], solver.dye_red[index_of(30, 22)]);
}

// Counts the calls that step and project make through dispatch.
class counting_solver : public fluid_solver {
  public:
    float sample(const field& values, float x, float y) override {
        ++samples;
        return fluid_solver::sample(values, x, y);
    }
    void zero_boundary_velocity() override {
        ++boundary_clears;
        fluid_solver::zero_boundary_velocity();
    }
    int samples = 0;
    int boundary_clears = 0;
};

TEST(fluid_solver, step_samples_and_projects_through_dispatch) {
    counting_solver counted;
    fluid_solver plain;
    for (fluid_solver* s : {static_cast<fluid_solver*>(&counted), &plain}) {
        s->splat(45, 30, 30, 17, 1, 0.2f, 0.7f);
        s->step(0.033f);
    }
    EXPECT_EQ(counted.samples, 5 * 94 * 62);
    EXPECT_EQ(counted.boundary_clears, 2);
    expect_same_fields(counted, plain);
}

}  // namespace
}  // namespace tamo
