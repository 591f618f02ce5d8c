#include "app/self_test.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tamo {
namespace {

TEST(expect_or_exit, passes_a_true_condition) {
    expect_or_exit(true, "never shown");
}

TEST(expect_or_exit, names_a_false_condition_and_exits_2) {
    EXPECT_EXIT(expect_or_exit(false, "bounded dye"), testing::ExitedWithCode(2),
                "^bounded dye\r?\n$");
}

TEST(self_test, passes_a_sound_solver_silently) {
    fluid_solver solver;
    array_handle pixels;
    pixels.resize(6144);
    EXPECT_EXIT(self_test(solver, pixels), testing::ExitedWithCode(0), "^$");
}

enum class fault {
    no_projection,
    dye_overflow,
    frozen_dye,
    grown_frozen_dye,
    weak_splat,
    lost_dye,
    sticky_reset,
    emptied_reset
};

// A solver with one deliberate fault, to show which check catches it.
class faulty_solver : public fluid_solver {
  public:
    explicit faulty_solver(fault broken) : broken(broken) {}

    void project() override {
        if (broken != fault::no_projection) {
            fluid_solver::project();
        }
    }
    void step(float dt) override {
        if (broken == fault::frozen_dye) {
            return;
        }
        if (broken == fault::grown_frozen_dye) {
            dye_red.resize(7000, 0.0f);
            return;
        }
        fluid_solver::step(dt);
        if (broken == fault::dye_overflow) {
            dye_red[4000] = 12.5f;
        }
    }
    void splat(float x, float y, float vx, float vy, float red, float green, float blue) override {
        fluid_solver::splat(x, y, vx, vy, broken == fault::weak_splat ? 0.1f : red, green, blue);
        if (broken == fault::lost_dye && red == 5) {
            dye_red.clear();
        }
    }
    void reset() override {
        fluid_solver::reset();
        if (broken == fault::sticky_reset) {
            dye_red[3000] = 0.5f;
        }
        if (broken == fault::emptied_reset) {
            dye_red.clear();
        }
    }

    fault broken;
};

struct failure_case {
    fault broken;
    std::string check;
};

class self_test_failure : public testing::TestWithParam<failure_case> {};

TEST_P(self_test_failure, names_the_first_failed_check) {
    faulty_solver solver(GetParam().broken);
    array_handle pixels;
    pixels.resize(6144);
    EXPECT_EXIT(self_test(solver, pixels), testing::ExitedWithCode(2),
                "^" + GetParam().check + "\r?\n$");
}

INSTANTIATE_TEST_SUITE_P(checks, self_test_failure,
                         testing::Values(failure_case{fault::no_projection,
                                                      "projection reduces divergence"},
                                         failure_case{fault::dye_overflow, "bounded dye"},
                                         failure_case{fault::frozen_dye, "dye advects"},
                                         failure_case{fault::grown_frozen_dye, "dye advects"},
                                         failure_case{fault::weak_splat, "HDR radiance retained"},
                                         failure_case{fault::lost_dye, "HDR radiance retained"},
                                         failure_case{fault::sticky_reset, "reset"},
                                         failure_case{fault::emptied_reset, "reset"}));

TEST(self_test, fails_pixel_dimensions_for_a_wrong_buffer) {
    for (const std::uint64_t count : {0u, 6143u, 6145u}) {
        fluid_solver solver;
        array_handle pixels;
        pixels.resize(count);
        EXPECT_EXIT(self_test(solver, pixels), testing::ExitedWithCode(2),
                    "^pixel dimensions\r?\n$")
            << count;
    }
}

}  // namespace
}  // namespace tamo
