#include "host/canvas/pointer_lock.hpp"

#include <algorithm>
#include <limits>

#include "host/canvas/platform_calls.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

pointer_lock_state& lock_state() {
    return window_registry_instance().pointer_lock;
}

bool is_lock_window(HWND window) {
    return window == lock_state().lock_window;
}

void show_arrow_cursor() {
    auto& calls = platform();
    calls.SetCursor(calls.LoadCursorA(nullptr, IDC_ARROW));
}

std::int32_t saturating_add(std::int32_t sum, std::int32_t delta) {
    const std::int64_t total = std::int64_t{sum} + delta;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        total, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::uint64_t pack_motion(std::int32_t x, std::int32_t y) {
    return (std::uint64_t{static_cast<std::uint32_t>(y)} << 32) | static_cast<std::uint32_t>(x);
}

std::int32_t motion_x(std::uint64_t packed) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(packed));
}

std::int32_t motion_y(std::uint64_t packed) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(packed >> 32));
}

bool is_foreground(HWND window) {
    return window && platform().GetForegroundWindow() == window;
}

}  // namespace

void unlock_cursor(HWND window) {
    if (!is_lock_window(window)) {
        return;
    }
    auto& lock = lock_state();
    lock.lock_active = false;
    lock.lock_motion.store(0);
    platform().ClipCursor(nullptr);
    show_arrow_cursor();
}

void release_pointer_lock(HWND window) {
    if (!is_lock_window(window)) {
        return;
    }
    unlock_cursor(window);
    auto& lock = lock_state();
    if (lock.raw_mouse_registered) {
        RAWINPUTDEVICE removal{};
        removal.usUsagePage = 1;
        removal.usUsage = 2;
        removal.dwFlags = RIDEV_REMOVE;
        removal.hwndTarget = nullptr;
        platform().RegisterRawInputDevices(&removal, 1, sizeof(RAWINPUTDEVICE));
        lock.raw_mouse_registered = false;
    }
    lock.lock_requested = false;
    lock.lock_window = nullptr;
    lock.cursor_visible = true;
}

bool clip_cursor_to_client(HWND window) {
    auto& calls = platform();
    RECT client{};
    if (!window || !calls.GetClientRect(window, &client) || client.left >= client.right ||
        client.top >= client.bottom) {
        return false;
    }
    calls.MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return calls.ClipCursor(&client) != FALSE;
}

void apply_pointer_lock(HWND window) {
    auto& lock = lock_state();
    if (is_lock_window(window) && lock.lock_requested && is_foreground(window) &&
        clip_cursor_to_client(window)) {
        lock.lock_active = true;
        lock.lock_motion.store(0);
        update_lock_cursor(window);
        return;
    }
    lock.lock_active = false;
}

void update_lock_cursor(HWND window) {
    auto& calls = platform();
    if (!is_lock_window(window) || !is_foreground(window)) {
        return;
    }
    POINT cursor{};
    RECT client{};
    if (!calls.GetCursorPos(&cursor) || !calls.ScreenToClient(window, &cursor) ||
        !calls.GetClientRect(window, &client) || !calls.PtInRect(&client, cursor)) {
        return;
    }
    const auto& lock = lock_state();
    if (lock.lock_active || !lock.cursor_visible) {
        calls.SetCursor(nullptr);
    } else {
        show_arrow_cursor();
    }
}

void add_lock_motion(std::int32_t dx, std::int32_t dy) {
    auto& motion = lock_state().lock_motion;
    std::uint64_t old_value = motion.load();
    while (!motion.compare_exchange_weak(old_value,
                                         pack_motion(saturating_add(motion_x(old_value), dx),
                                                     saturating_add(motion_y(old_value), dy)))) {
    }
}

std::int32_t lock_motion_x() {
    return motion_x(lock_state().lock_motion.load());
}
std::int32_t lock_motion_y() {
    return motion_y(lock_state().lock_motion.load());
}

void pointer_lock_on_move(const canvas_window& window) {
    if (is_lock_window(window.hwnd) && lock_state().lock_active) {
        clip_cursor_to_client(window.hwnd);
    }
}

void pointer_lock_on_size(const canvas_window& window) {
    if (!is_lock_window(window.hwnd)) {
        return;
    }
    if (window.minimized) {
        unlock_cursor(window.hwnd);
    } else if (window.focused && lock_state().lock_requested) {
        apply_pointer_lock(window.hwnd);
    }
}

void pointer_lock_on_focus(const canvas_window& window) {
    if (!is_lock_window(window.hwnd)) {
        return;
    }
    if (lock_state().lock_requested && !window.minimized) {
        apply_pointer_lock(window.hwnd);
    } else {
        update_lock_cursor(window.hwnd);
    }
}

bool hide_cursor_for_lock(HWND window, LPARAM lparam) {
    const auto& lock = lock_state();
    if (!is_lock_window(window) || (lparam & 0xFFFF) != HTCLIENT ||
        (!lock.lock_active && lock.cursor_visible)) {
        return false;
    }
    platform().SetCursor(nullptr);
    return true;
}

void on_raw_input(HWND window, LPARAM lparam) {
    if (!is_lock_window(window) || !lock_state().lock_active) {
        return;
    }
    static_assert(sizeof(RAWINPUT) == 48);
    RAWINPUT input{};
    UINT size = sizeof(input);
    const UINT read = platform().GetRawInputData(reinterpret_cast<HRAWINPUT>(lparam), RID_INPUT,
                                                 &input, &size, sizeof(RAWINPUTHEADER));
    if (read == static_cast<UINT>(-1) || read < sizeof(input) ||
        input.header.dwType != RIM_TYPEMOUSE || (input.data.mouse.usFlags & MOUSE_MOVE_ABSOLUTE)) {
        return;
    }
    add_lock_motion(input.data.mouse.lLastX, input.data.mouse.lLastY);
}

}  // namespace tamo
