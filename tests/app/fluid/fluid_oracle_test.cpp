// Holds the shipped solver to the line-by-line one, bit for bit, over long
// scenarios: every field after every operation and every pixel of every render.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

#include "app/fluid/fluid_solver.hpp"
#include "app/fluid/fountains.hpp"
#include "runtime/bounded_math.hpp"
#include "tests/app/fluid/fluid_oracle.hpp"

namespace tamo {
namespace {

constexpr int cells = 96 * 64;
const float nan = std::numeric_limits<float>::quiet_NaN();
const float inf = std::numeric_limits<float>::infinity();

bool same_bits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

bool same_bits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The shipped solver and the oracle driven by the same calls; each call
// is followed by a comparison of every field.
class twin_solvers {
  public:
    twin_solvers() {
        shipped_pixels.resize(cells);
        oracle_pixels.resize(cells);
    }

    void splat(float x, float y, float vx, float vy, float red, float green, float blue) {
        shipped.splat(x, y, vx, vy, red, green, blue);
        oracle.splat(x, y, vx, vy, red, green, blue);
        expect_same_fields("splat");
    }
    void fountains(float sim_time, float dt) {
        automatic_fountains(shipped, sim_time, dt);
        automatic_fountains(oracle, sim_time, dt);
        expect_same_fields("fountains");
    }
    void step(float dt) {
        shipped.step(dt);
        oracle.step(dt);
        expect_same_fields("step " + std::to_string(dt));
    }
    void project() {
        shipped.project();
        oracle.project();
        expect_same_fields("project");
        EXPECT_TRUE(same_bits(shipped.divergence_energy(), oracle.divergence_energy()));
    }
    void reset() {
        shipped.reset();
        oracle.reset();
        expect_same_fields("reset");
    }
    void render(float exposure, bool bloom_on) {
        shipped.render(shipped_pixels, exposure, bloom_on);
        oracle.render(oracle_pixels, exposure, bloom_on);
        expect_same_pixels(shipped_pixels, oracle_pixels);
    }

    void expect_same_fields(const std::string& after) {
        EXPECT_TRUE(same_bits(shipped.u, oracle.u)) << "u after " << after;
        EXPECT_TRUE(same_bits(shipped.v, oracle.v)) << "v after " << after;
        EXPECT_TRUE(same_bits(shipped.dye_red, oracle.dye_red)) << "red after " << after;
        EXPECT_TRUE(same_bits(shipped.dye_green, oracle.dye_green)) << "green after " << after;
        EXPECT_TRUE(same_bits(shipped.dye_blue, oracle.dye_blue)) << "blue after " << after;
    }
    static void expect_same_pixels(const array_handle& a, const array_handle& b) {
        ASSERT_EQ(a.element_count(), b.element_count());
        for (std::uint64_t i = 0; i < a.element_count(); ++i) {
            ASSERT_EQ(a[i], b[i]) << "pixel " << i;
        }
    }

    fluid_solver shipped;
    fluid_oracle oracle;
    array_handle shipped_pixels;
    array_handle oracle_pixels;
};

TEST(fluid_oracle_match, self_test_sequence) {
    twin_solvers twins;
    twins.splat(45, 30, 30, 17, 1, 0.2f, 0.7f);
    twins.project();
    twins.step(0.033f);
    twins.render(0.8f, true);
    twins.splat(45, 30, 0, 0, 5, 2, 0.5f);
    twins.render(0.8f, true);
    twins.reset();
    twins.render(0.8f, false);
}

// Seed splats, then fountains and a painting drag over a few hundred frames
// at varying frame times, exposures and bloom settings.
TEST(fluid_oracle_match, fountains_and_painting) {
    twin_solvers twins;
    twins.splat(28, 30, 25, -18, 4.5f, 0.06f, 1.5f);
    twins.splat(66, 31, -25, 18, 0.02f, 2.5f, 4.5f);
    const float palette[3][3] = {{0.9f, 0.1f, 0.5f}, {0.1f, 0.8f, 0.95f}, {0.95f, 0.65f, 0.05f}};
    float sim_time = 0.0f;
    float exposure = 0.8f;
    for (int frame = 0; frame < 360; ++frame) {
        const float dt = 0.001f + static_cast<float>(frame * 37 % 40) * 0.001f;
        sim_time += dt;
        if (frame % 120 < 90) {
            twins.fountains(sim_time, dt);
        }
        if (frame % 50 > 20) {
            const float* colour = palette[frame / 50 % 3];
            const float px = static_cast<float>(frame % 97) - 1.0f;
            const float py = static_cast<float>(frame * 3 % 67) - 1.5f;
            twins.splat(px, py, 2.0f * (frame % 11 - 5) / 7.0f, 2.0f * (frame % 7 - 3) / 7.0f,
                        colour[0] * dt * 24, colour[1] * dt * 24, colour[2] * dt * 24);
        }
        twins.step(dt);
        exposure = bounded_clamp(exposure + (frame % 200 < 100 ? dt : -dt), 0.15f, 3.0f);
        twins.render(exposure, frame % 5 != 0);
        if (HasFailure()) {
            FAIL() << "first difference in frame " << frame;
        }
    }
}

TEST(fluid_oracle_match, bad_and_boundary_input) {
    twin_solvers twins;
    twins.splat(45, 30, 80, 80, 12, 12, 12);
    twins.splat(45, 30, nan, 2e6f, nan, 1e7f, inf);
    twins.splat(nan, 30, 1, 1, 1, 1, 1);
    twins.splat(45, -inf, 1, 1, 1, 1, 1);
    for (const float x : {0.0f, 95.0f, -3.0f, 100.0f, 47.5f, 999.5f, -999.0f, 1e6f}) {
        twins.splat(x, x == 47.5f ? 63.0f : 0.0f, -70, 70, 9, 4, 11);
        twins.splat(x, 31.25f, 200, -200, 30, 30, 30);
    }
    // Boundary values that only a caller writing the fields can set: step
    // keeps the dye's.
    for (int k = 0; k < cells; k += 96) {
        for (fluid_solver::field* f : {&twins.shipped.dye_red, &twins.oracle.dye_red,
                                       &twins.shipped.dye_blue, &twins.oracle.dye_blue}) {
            (*f)[k] = 2.0f;
            (*f)[k + 95] = 3.0f;
            (*f)[k / 96] = 4.0f;
        }
    }
    twins.step(0.016f);
    twins.step(0.0f);
    twins.step(nan);
    twins.step(-0.5f);
    twins.step(12.5f);
    twins.step(40.0f);
    twins.step(1e9f);
    twins.step(0.04f);
    twins.render(3.0f, true);
    twins.render(0.15f, false);
}

TEST(fluid_oracle_match, sample_anywhere) {
    twin_solvers twins;
    twins.splat(45, 30, 30, 17, 1, 0.2f, 0.7f);
    twins.step(0.033f);
    const float points[] = {-3,    0,  0.25f, 0.5f, 1,   17.75f, 45.5f, 62.5f,
                            94.5f, 95, 200,   nan,  inf, -inf,   1e6f,  2e6f};
    for (const float x : points) {
        for (const float y : points) {
            EXPECT_TRUE(same_bits(twins.shipped.sample(twins.shipped.dye_red, x, y),
                                  twins.oracle.sample(twins.oracle.dye_red, x, y)))
                << x << ", " << y;
        }
    }
}

// Radiances around every rounding edge and past the curve's range, NaN and
// infinity included, through the same render.
TEST(fluid_oracle_match, render_of_extreme_dye) {
    twin_solvers twins;
    const float specials[] = {nan, inf, -inf, -1, 0, 1e-30f, 1.2e19f, 3e38f, 0.8f, 0.80001f, 12};
    for (int k = 0; k < cells; ++k) {
        const float ramp = static_cast<float>(k) / 512.0f;
        twins.shipped.dye_red[k] = twins.oracle.dye_red[k] = ramp;
        twins.shipped.dye_green[k] = twins.oracle.dye_green[k] = specials[k % 11];
        twins.shipped.dye_blue[k] = twins.oracle.dye_blue[k] = 12.0f - ramp;
    }
    for (const float exposure : {0.15f, 0.8f, 1.7f, 3.0f}) {
        twins.render(exposure, true);
        twins.render(exposure, false);
    }
}

TEST(fluid_oracle_match, render_into_short_and_long_buffers) {
    for (const std::uint64_t count : {0u, 3u, 10u, 6143u, 6147u, 7000u}) {
        twin_solvers twins;
        twins.splat(45, 30, 0, 0, 12, 5, 1);
        twins.shipped_pixels.resize(count);
        twins.oracle_pixels.resize(count);
        twins.render(0.8f, true);
    }
}

}  // namespace
}  // namespace tamo
