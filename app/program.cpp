#include "app/program.hpp"

#include <exception>
#include <iostream>

#include "app/self_test.hpp"

namespace tamo {

bool selects_self_test(std::string_view test_choice) {
    return test_choice == "1";
}

int run_program(const std::function<std::string()>& read_test_choice,
                const window_application& run_window) {
    try {
        array_handle pixel_buffer;
        const auto solver = std::make_shared<fluid_solver>();
        pixel_buffer.resize(6144);
        if (selects_self_test(read_test_choice())) {
            self_test(*solver, pixel_buffer);
        }
        return run_window(solver, pixel_buffer);
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}

}  // namespace tamo
