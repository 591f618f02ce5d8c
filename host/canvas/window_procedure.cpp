#include "host/canvas/window_procedure.hpp"

#include "host/canvas/file_drop.hpp"
#include "host/canvas/gl_frame.hpp"
#include "host/canvas/ime_input.hpp"
#include "host/canvas/keyboard_input.hpp"
#include "host/canvas/platform_calls.hpp"
#include "host/canvas/pointer_input.hpp"
#include "host/canvas/pointer_lock.hpp"
#include "host/canvas/text_input.hpp"
#include "host/canvas/window_opening.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

void on_destroy(canvas_window& window, HWND hwnd) {
    release_pointer_lock(hwnd);
    platform().WTSUnRegisterSessionNotification(hwnd);
    window.focused = false;
    window.open = false;
    window.visible = false;
    // The window's own device context goes with it.
    window.hwnd = nullptr;
    window.hdc = nullptr;
    bump_window_revision(window, 0);
}

void on_move(canvas_window& window, LPARAM lparam) {
    window.window_x = static_cast<std::int16_t>(lparam & 0xFFFF);
    window.window_y = static_cast<std::int16_t>((lparam >> 16) & 0xFFFF);
    update_dpi_and_monitor(window);
    bump_window_revision(window, 0);
    pointer_lock_on_move(window);
}

void on_size(canvas_window& window, WPARAM wparam, LPARAM lparam) {
    const std::int32_t width = lparam & 0xFFFF;
    const std::int32_t height = (lparam >> 16) & 0xFFFF;
    window.client_width = width == 0 ? 1 : width;
    window.client_height = height == 0 ? 1 : height;
    window.minimized = wparam == SIZE_MINIMIZED;
    update_dpi_and_monitor(window);
    bump_window_revision(window, 0);
    prepare_gl_frame_and_clear(window);
    pointer_lock_on_size(window);
}

void on_set_focus(canvas_window& window) {
    window.focused = true;
    bump_window_revision(window, 0);
    pointer_lock_on_focus(window);
}

// Keys released while another window has focus never reach this one, so
// held modifiers and queued presses are forgotten.
void on_kill_focus(canvas_window& window) {
    window.focused = false;
    window.press_counters.fill(0);
    window.modifier_mask = 0;
    unlock_cursor(window.hwnd);
    if (window.composing) {
        window.composing = false;
        window.composition_text.clear();
        ++window.composition_revision;
    }
    bump_window_revision(window, 0);
}

void on_close(canvas_window& window) {
    window.press_counters.fill(0);
    unlock_cursor(window.hwnd);
    window.close_requested = true;
    window.open = false;
    window.visible = false;
    bump_window_revision(window, 0);
    platform().ShowWindow(window.hwnd, SW_HIDE);
}

// A handling that needs the record runs only when the window has one; the
// result is the same either way.
LRESULT handle_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    canvas_window* window = find_window_by_handle(hwnd);
    const auto default_handling = [&] {
        return platform().DefWindowProcW(hwnd, message, wparam, lparam);
    };
    switch (message) {
        case WM_DESTROY:
            if (window) {
                on_destroy(*window, hwnd);
            }
            return 0;
        case WM_MOVE:
            if (window) {
                on_move(*window, lparam);
            }
            return 0;
        case WM_SIZE:
            if (window) {
                on_size(*window, wparam, lparam);
            }
            return 0;
        case WM_SETFOCUS:
            if (window) {
                on_set_focus(*window);
            }
            return 0;
        case WM_KILLFOCUS:
            if (window) {
                on_kill_focus(*window);
            }
            return 0;
        case WM_CLOSE:
            if (window) {
                on_close(*window);
            }
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SHOWWINDOW:
            if (window) {
                window->visible = wparam != 0;
                bump_window_revision(*window, 0);
            }
            return 0;
        case WM_CANCELMODE:
            if (window) {
                record_mouse_event(*window, event_pointer_cancelled, wparam, lparam);
            }
            return default_handling();
        case WM_SETCURSOR:
            return hide_cursor_for_lock(hwnd, lparam) ? 1 : default_handling();
        case WM_INPUT:
            if (window) {
                on_raw_input(hwnd, lparam);
            }
            return default_handling();
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (window) {
                const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
                on_key_message(*window, static_cast<std::uint32_t>(wparam), lparam, down);
            }
            return 0;
        case WM_CHAR:
        case WM_IME_CHAR:
            if (window) {
                on_char_utf16(*window, static_cast<std::uint32_t>(wparam));
            }
            return 0;
        case WM_UNICHAR:
            if (wparam == UNICODE_NOCHAR) {
                return 1;
            }
            if (window) {
                window->pending_high_surrogate = 0;
                append_text_input(*window, static_cast<std::uint32_t>(wparam));
            }
            return 0;
        case WM_IME_STARTCOMPOSITION:
            if (window) {
                on_ime_start_composition(*window);
            }
            return 0;
        case WM_IME_ENDCOMPOSITION:
            if (window) {
                on_ime_end_composition(*window);
            }
            return 0;
        case WM_IME_COMPOSITION:
            return window && on_ime_composition(*window, hwnd, lparam) ? 0 : default_handling();
        case WM_MOUSEMOVE:
            if (window) {
                record_mouse_event(*window, event_pointer_move, wparam, lparam);
            }
            return default_handling();
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            if (window) {
                record_mouse_event(*window, event_pointer_down, wparam, lparam);
            }
            return default_handling();
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
            if (window) {
                record_mouse_event(*window, event_pointer_up, wparam, lparam);
            }
            return default_handling();
        case WM_MOUSEWHEEL:
            if (window) {
                record_mouse_event(*window, event_wheel, wparam, lparam);
            }
            return 0;
        case WM_CAPTURECHANGED:
            if (window) {
                window->chrome_drag_active = false;
                window->chrome_drag_code = 0;
                record_mouse_event(*window, event_capture_lost, wparam, lparam);
            }
            return 0;
        case WM_DROPFILES:
            if (window) {
                on_file_drop(*window, reinterpret_cast<HDROP>(wparam));
            }
            return 0;
        case WM_TOUCH:
            if (window) {
                on_touch_message(*window, wparam, lparam);
            }
            return 0;
        case WM_POINTERUPDATE:
        case WM_POINTERDOWN:
        case WM_POINTERUP:
            if (window) {
                on_pointer_message(*window, message, wparam, lparam);
            }
            return 0;
        default:
            return default_handling();
    }
}

}  // namespace

void drain_window_messages() {
    auto& calls = platform();
    MSG message{};
    for (int dispatched = 0;
         dispatched < drain_message_limit && calls.PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);
         ++dispatched) {
        calls.TranslateMessage(&message);
        calls.DispatchMessageW(&message);
    }
}

LRESULT CALLBACK canvas_window_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    // The system's frames lie between here and the caller: nothing may
    // unwind through them.
    try {
        return handle_message(window, message, wparam, lparam);
    } catch (...) {
        return platform().DefWindowProcW(window, message, wparam, lparam);
    }
}

}  // namespace tamo
