#include "host/canvas/input_queries.hpp"

#include "host/canvas/frame_builtins.hpp"
#include "host/canvas/key_names.hpp"
#include "host/canvas/mouse_buttons.hpp"
#include "host/canvas/platform_calls.hpp"
#include "host/canvas/window_procedure.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

bool is_held(std::int32_t vk) {
    return (static_cast<std::uint16_t>(platform().GetAsyncKeyState(vk)) & 0x8000) != 0;
}

// The cursor in the client coordinates of the window named by the builtin.
bool cursor_in_client(std::string_view builtin_name, POINT& point) {
    canvas_window& window = require_open_window(builtin_name);
    if (!own_window_is_foreground()) {
        return false;
    }
    auto& calls = platform();
    return calls.GetCursorPos(&point) && calls.ScreenToClient(window.hwnd, &point);
}

}  // namespace

bool key_pressed(std::string_view name) {
    // Read before the drain, which may change a text of the window named here.
    const std::int32_t vk = key_name_to_vk(name);
    drain_window_messages();
    canvas_window* window = active_window();
    if (!window || !window->open || !window->focused || !window->hwnd ||
        platform().GetForegroundWindow() != window->hwnd || vk < 1 || vk > 255) {
        return false;
    }
    std::uint8_t& count = window->press_counters[vk];
    if (count == 0) {
        return false;
    }
    --count;
    return true;
}

bool key_is_down(std::string_view name) {
    if (!own_window_is_foreground()) {
        return false;
    }
    const std::int32_t vk = key_name_to_vk(name);
    return vk != 0 && is_held(vk);
}

bool mouse_button_down(std::string_view name) {
    if (!own_window_is_foreground()) {
        return false;
    }
    const std::int32_t code = mouse_button_code(name);
    return code != 0 && is_held(code);
}

std::int32_t MouseX() {
    POINT point{};
    return cursor_in_client("MouseX", point) ? point.x : -1;
}

std::int32_t MouseY() {
    POINT point{};
    return cursor_in_client("MouseY", point) ? point.y : -1;
}

}  // namespace tamo
