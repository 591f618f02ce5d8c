#include "app/host_canvas_builtins.hpp"
#include "app/program.hpp"
#include "app/window_application.hpp"
#include "runtime/environment.hpp"

int main() {
    return tamo::run_program(
        [] { return tamo::get_environment_utf8("TAMO_EXAMPLE_TEST"); },
        [](std::shared_ptr<tamo::fluid_solver> solver, tamo::array_handle pixels) {
            tamo::host_canvas_builtins canvas;
            return tamo::run_window_application(canvas, solver, pixels);
        });
}
