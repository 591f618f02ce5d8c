#include "app/program.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <stdexcept>

#include "runtime/runtime_error.hpp"

namespace tamo {
namespace {

TEST(selects_self_test, only_for_exactly_one) {
    EXPECT_TRUE(selects_self_test("1"));
    for (const char* other : {"", "0", " 1", "1 ", "01", "true", "1\n", "+1"}) {
        EXPECT_FALSE(selects_self_test(other)) << '"' << other << '"';
    }
}

std::function<std::string()> choice(std::string value) {
    return [value] { return value; };
}

// The window application sees the freshly reset solver and a buffer of
// 6144 zero pixels.
TEST(run_program, hands_a_fresh_solver_and_buffer_to_the_window_application) {
    bool ran = false;
    const int status =
        run_program(choice("0"), [&](std::shared_ptr<fluid_solver> solver, array_handle pixels) {
            ran = true;
            EXPECT_EQ(pixels.element_count(), 6144u);
            for (std::uint64_t i = 0; i < pixels.element_count(); ++i) {
                EXPECT_EQ(pixels[i], 0u);
            }
            EXPECT_EQ(solver->dye_red, fluid_solver::field(6144, 0.0f));
            EXPECT_EQ(solver->divergence_energy(), 0.0f);
            return 0;
        });
    EXPECT_TRUE(ran);
    EXPECT_EQ(status, 0);
}

TEST(run_program, runs_the_self_test_for_one) {
    const window_application window = [](std::shared_ptr<fluid_solver>, array_handle) { return 5; };
    EXPECT_EXIT(std::exit(run_program(choice("1"), window)), testing::ExitedWithCode(0), "^$");
    EXPECT_EQ(run_program(choice("1 "), window), 5);
}

TEST(run_program, reports_a_runtime_error_as_code_and_message) {
    const window_application failing_window = [](std::shared_ptr<fluid_solver>, array_handle) {
        runtime_error_info error;
        error.code = "window.canvas";
        error.message = "failed to create window/canvas window";
        throw mirk_runtime_exception(error);
        return 0;
    };
    EXPECT_EXIT(std::exit(run_program(choice(""), failing_window)), testing::ExitedWithCode(1),
                "^window.canvas: failed to create window/canvas window\r?\n$");
}

TEST(run_program, reports_any_standard_exception) {
    const window_application failing_window = [](std::shared_ptr<fluid_solver>,
                                                 array_handle) -> int { throw std::bad_alloc(); };
    EXPECT_EXIT(std::exit(run_program(choice(""), failing_window)), testing::ExitedWithCode(1),
                "^std::bad_alloc\r?\n$");
    const auto failing_choice = []() -> std::string { throw std::runtime_error("no choice"); };
    EXPECT_EXIT(std::exit(run_program(failing_choice, failing_window)), testing::ExitedWithCode(1),
                "^no choice\r?\n$");
}

}  // namespace
}  // namespace tamo
