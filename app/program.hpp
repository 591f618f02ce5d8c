#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "app/fluid/array_handle.hpp"
#include "app/fluid/fluid_solver.hpp"

namespace tamo {

// The value of TAMO_EXAMPLE_TEST that selects the self-test: exactly "1".
bool selects_self_test(std::string_view test_choice);

using window_application = std::function<int(std::shared_ptr<fluid_solver>, array_handle)>;

// The whole program: creates the solver and the 6144-pixel buffer, reads
// the test choice and runs the self-test or the window application. A
// standard exception that escapes writes its message and a newline to
// standard error and gives status 1.
int run_program(const std::function<std::string()>& read_test_choice,
                const window_application& run_window);

}  // namespace tamo
