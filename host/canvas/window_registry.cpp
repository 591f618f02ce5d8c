#include "host/canvas/window_registry.hpp"

#include "host/canvas/platform_calls.hpp"

namespace tamo {

window_registry& window_registry_instance() {
    static window_registry registry;
    return registry;
}

canvas_window* find_window(std::int32_t id) {
    auto& windows = window_registry_instance().windows;
    auto found = windows.find(id);
    return found == windows.end() ? nullptr : found->second.get();
}

canvas_window* find_window_by_handle(HWND hwnd) {
    if (!hwnd) {
        return nullptr;
    }
    for (auto& [id, window] : window_registry_instance().windows) {
        if (window->hwnd == hwnd) {
            return window.get();
        }
    }
    return nullptr;
}

canvas_window* active_window() {
    auto& registry = window_registry_instance();
    canvas_window* active = find_window(registry.active_id);
    if (active && active->open) {
        return active;
    }
    canvas_window* primary = find_window(registry.primary_id);
    if (!primary || !primary->open) {
        return nullptr;
    }
    registry.active_id = registry.primary_id;
    return primary;
}

void bump_window_revision(canvas_window& window, std::int64_t event_kind) {
    const std::int64_t revision = window_registry_instance().sequence++;
    window.state_revision = revision;
    if (event_kind != 0) {
        window.last_event_kind = event_kind;
    }
    window.input_revision = revision;
    window.event_revision = revision;
}

bool own_window_is_foreground() {
    HWND foreground = platform().GetForegroundWindow();
    if (!foreground) {
        return false;
    }
    for (auto& [id, window] : window_registry_instance().windows) {
        if (window->open && window->hwnd == foreground) {
            return true;
        }
    }
    return false;
}

}  // namespace tamo
