#pragma once

#include <string_view>

#include "app/fluid/array_handle.hpp"
#include "app/fluid/fluid_solver.hpp"

namespace tamo {

// Ends the process with status 2 after writing name and a newline to
// standard error when condition is false.
void expect_or_exit(bool condition, std::string_view name);

// Seven named checks of a freshly reset solver, its render and its tone
// map. Ends the process: status 0 after "ink-drifter: pass" on standard
// output, or status 2 naming the first failed check.
[[noreturn]] void self_test(fluid_solver& solver, array_handle pixels);

}  // namespace tamo
