// Measures whole frames of the toy with its real window: the frame period
// with the 16 ms sleep, and the wall and CPU time of one frame without it
// (simulation, drawing and presentation). Run under Wine on a display.
#include <windows.h>

#include <cstdio>
#include <memory>

#include "app/frame_loop.hpp"
#include "app/host_canvas_builtins.hpp"
#include "app/window_application.hpp"

namespace {

// The host's builtins, with the frame sleep optionally left out.
class timed_canvas : public tamo::host_canvas_builtins {
  public:
    void sleep_frame(std::int64_t total_ms) override {
        if (sleeping) {
            tamo::host_canvas_builtins::sleep_frame(total_ms);
        }
    }
    bool sleeping = true;
};

double seconds_of(const FILETIME& time) {
    ULARGE_INTEGER value;
    value.LowPart = time.dwLowDateTime;
    value.HighPart = time.dwHighDateTime;
    return static_cast<double>(value.QuadPart) * 1e-7;
}

struct cpu_times {
    double process = 0;
    double thread = 0;
};

cpu_times cpu_now() {
    FILETIME created, ended, kernel, user;
    cpu_times times;
    GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user);
    times.process = seconds_of(kernel) + seconds_of(user);
    GetThreadTimes(GetCurrentThread(), &created, &ended, &kernel, &user);
    times.thread = seconds_of(kernel) + seconds_of(user);
    return times;
}

double wall_now() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Runs frames and prints the mean wall time and CPU time of one.
void measure(const char* name, timed_canvas& canvas,
             const std::shared_ptr<tamo::fluid_solver>& solver, const tamo::array_handle& pixels,
             tamo::loop_state& state, int frames) {
    const double wall_start = wall_now();
    const cpu_times cpu_start = cpu_now();
    for (int i = 0; i < frames; ++i) {
        tamo::run_frame(canvas, solver, pixels, state);
    }
    const cpu_times cpu_end = cpu_now();
    const double wall = (wall_now() - wall_start) / frames * 1e3;
    std::printf(
        "%s: %d frames, wall %.3f ms/frame, process CPU %.3f ms/frame, main thread CPU %.3f "
        "ms/frame\n",
        name, frames, wall, (cpu_end.process - cpu_start.process) / frames * 1e3,
        (cpu_end.thread - cpu_start.thread) / frames * 1e3);
}

}  // namespace

int main() {
    timed_canvas canvas;
    const auto solver = std::make_shared<tamo::fluid_solver>();
    tamo::array_handle pixels;
    pixels.resize(6144);
    tamo::loop_state state;
    state.last_frame_ms = canvas.monotonic_ms();
    solver->splat(28, 30, 25, -18, 4.5f, 0.06f, 1.5f);
    solver->splat(66, 31, -25, 18, 0.02f, 2.5f, 4.5f);
    canvas.open_canvas_window(tamo::window_title, 1000, 700);

    canvas.sleeping = false;
    measure("warm-up without sleep", canvas, solver, pixels, state, 60);
    measure("without sleep", canvas, solver, pixels, state, 600);
    canvas.sleeping = true;
    measure("with the 16 ms sleep", canvas, solver, pixels, state, 200);
    canvas.close_all_windows();
    return 0;
}
