#include <iostream>

#include "app/program.hpp"
#include "runtime/environment.hpp"

namespace {

int window_not_built(std::shared_ptr<tamo::fluid_solver>, tamo::array_handle) {
    std::cerr << "vividswirl: the window mode is not built yet" << std::endl;
    return 1;
}

}  // namespace

int main() {
    return tamo::run_program([] { return tamo::get_environment_utf8("TAMO_EXAMPLE_TEST"); },
                             window_not_built);
}
