#include "host/canvas/canvas_test_support.hpp"

#include "host/canvas/delayed_clipboard.hpp"
#include "host/canvas/session_events.hpp"
#include "host/canvas/uia_bridge.hpp"
#include "host/canvas/window_closing.hpp"
#include "host/canvas/window_opening.hpp"
#include "host/canvas/window_procedure.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {

void reset_canvas_host() {
    platform() = platform_calls{};
    close_all_windows();
    drain_window_messages();
    auto& registry = window_registry_instance();
    registry.windows.clear();
    registry.monitors.clear();
    registry.next_id = 1;
    registry.primary_id = 0;
    registry.active_id = 0;
    auto& lock = registry.pointer_lock;
    lock.lock_window = nullptr;
    lock.lock_requested = false;
    lock.lock_active = false;
    lock.raw_mouse_registered = false;
    lock.cursor_visible = true;
    lock.lock_motion.store(0);
    uia_bridge_instance() = {};
    delayed_clipboard = {};
    session_events = {};
}

canvas_window& canvas_host_test::open_test_window(std::int32_t parent_id) {
    open_canvas_window(test_window_title, 1000, 700, parent_id);
    canvas_window* window = active_window();
    if (!window) {
        throw std::runtime_error("the test window did not open");
    }
    SetWindowPos(window->hwnd, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    drain_window_messages();
    return *window;
}

LRESULT canvas_host_test::send(canvas_window& window, UINT message, WPARAM wparam, LPARAM lparam) {
    return SendMessageW(window.hwnd, message, wparam, lparam);
}

POINT canvas_window_test::client_origin() const {
    POINT origin{0, 0};
    ClientToScreen(window->hwnd, &origin);
    return origin;
}

void canvas_window_test::drain_for(int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        drain_window_messages();
        Sleep(10);
    }
}

}  // namespace tamo
