// Measures whole frames of the toy with its real window: the wall and CPU
// time of one frame without the 16 ms sleep (simulation, drawing and
// presentation), the frame period with it, and where the time goes: the
// same frames again with the system's answers to the per-builtin queries
// (message queue, foreground window, cursor) given by the program itself,
// and then without the glyph display lists as well. Run under Wine on a
// display (scripts/frame-timing).
#include <windows.h>

#include <cstdio>
#include <memory>

#include "app/frame_loop.hpp"
#include "app/host_canvas_builtins.hpp"
#include "app/window_application.hpp"
#include "host/canvas/platform_calls.hpp"

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

// Calls of the system made by the frames, counted per kind.
struct call_counts {
    long peek_message = 0;
    long foreground_window = 0;
    long cursor_position = 0;
    long glyph_lists = 0;
};
call_counts counted;

// The real entries the counting ones forward to.
tamo::platform_calls real_calls;

BOOL WINAPI counting_peek_message(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
    ++counted.peek_message;
    return real_calls.PeekMessageW(message, window, first, last, remove);
}
HWND WINAPI counting_foreground_window() {
    ++counted.foreground_window;
    return real_calls.GetForegroundWindow();
}
BOOL WINAPI counting_cursor_position(LPPOINT point) {
    ++counted.cursor_position;
    return real_calls.GetCursorPos(point);
}
void WINAPI counting_glyph_lists(GLsizei count, GLenum type, const void* lists) {
    ++counted.glyph_lists;
    real_calls.glCallLists(count, type, lists);
}

// Answers given by the program in place of the system's.
HWND foreground_window = nullptr;
POINT cursor_position{};
BOOL WINAPI empty_queue(LPMSG, HWND, UINT, UINT, UINT) {
    return FALSE;
}
HWND WINAPI known_foreground_window() {
    return foreground_window;
}
BOOL WINAPI known_cursor_position(LPPOINT point) {
    *point = cursor_position;
    return TRUE;
}
void WINAPI no_glyph_lists(GLsizei, GLenum, const void*) {}

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

// Counts the system calls of one frame.
void count_calls(timed_canvas& canvas, const std::shared_ptr<tamo::fluid_solver>& solver,
                 const tamo::array_handle& pixels, tamo::loop_state& state) {
    auto& calls = tamo::platform();
    calls.PeekMessageW = counting_peek_message;
    calls.GetForegroundWindow = counting_foreground_window;
    calls.GetCursorPos = counting_cursor_position;
    calls.glCallLists = counting_glyph_lists;
    counted = {};
    tamo::run_frame(canvas, solver, pixels, state);
    calls = real_calls;
    std::printf(
        "calls in one frame: %ld PeekMessageW, %ld GetForegroundWindow, %ld GetCursorPos, %ld "
        "glCallLists\n",
        counted.peek_message, counted.foreground_window, counted.cursor_position,
        counted.glyph_lists);
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
    real_calls = tamo::platform();

    canvas.sleeping = false;
    measure("warm-up without sleep", canvas, solver, pixels, state, 60);
    count_calls(canvas, solver, pixels, state);
    measure("without sleep", canvas, solver, pixels, state, 600);

    auto& calls = tamo::platform();
    foreground_window = real_calls.GetForegroundWindow();
    real_calls.GetCursorPos(&cursor_position);
    calls.PeekMessageW = empty_queue;
    calls.GetForegroundWindow = known_foreground_window;
    calls.GetCursorPos = known_cursor_position;
    measure("without sleep, queue, foreground and cursor answered in the program", canvas, solver,
            pixels, state, 600);
    calls.glCallLists = no_glyph_lists;
    measure("the same without glyph display lists", canvas, solver, pixels, state, 600);
    calls = real_calls;

    canvas.sleeping = true;
    measure("with the 16 ms sleep", canvas, solver, pixels, state, 200);
    canvas.close_all_windows();
    return 0;
}
