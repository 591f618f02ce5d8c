#include "host/canvas/window_procedure.hpp"

#include "host/canvas/delayed_clipboard.hpp"
#include "host/canvas/file_drop.hpp"
#include "host/canvas/gl_frame.hpp"
#include "host/canvas/ime_input.hpp"
#include "host/canvas/keyboard_input.hpp"
#include "host/canvas/platform_calls.hpp"
#include "host/canvas/pointer_input.hpp"
#include "host/canvas/pointer_lock.hpp"
#include "host/canvas/session_events.hpp"
#include "host/canvas/text_input.hpp"
#include "host/canvas/uia_bridge.hpp"
#include "host/canvas/window_chrome.hpp"
#include "host/canvas/window_opening.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

void on_destroy(canvas_window& window, HWND hwnd) {
    release_pointer_lock(hwnd);
    reset_uia_window_slot(window.id);
    release_clipboard_of_destroyed_owner(hwnd);
    auto& calls = platform();
    calls.WTSUnRegisterSessionNotification(hwnd);
    window.focused = false;
    window.open = false;
    window.visible = false;
    // The window's own device context goes with it, so its context can no
    // longer stay current.
    if (window.hglrc && calls.wglGetCurrentContext() == window.hglrc) {
        calls.wglMakeCurrent(nullptr, nullptr);
    }
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
canvas_window* chrome_window(canvas_window* window) {
    return window && window->custom_hit_testing ? window : nullptr;
}

LRESULT handle_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    canvas_window* window = find_window_by_handle(hwnd);
    canvas_window* chrome = chrome_window(window);
    const auto default_handling = [&] {
        return platform().DefWindowProcW(hwnd, message, wparam, lparam);
    };
    const auto or_default = [&](std::optional<LRESULT> result) {
        return result ? *result : default_handling();
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
        case WM_CANCELMODE: {
            // The default handling releases the capture, whose loss would
            // otherwise follow the cancel as the last event.
            const LRESULT result = default_handling();
            if (window) {
                record_mouse_event(*window, event_pointer_cancelled, wparam, lparam);
            }
            return result;
        }
        case WM_SETCURSOR:
            if (hide_cursor_for_lock(hwnd, lparam)) {
                return 1;
            }
            return or_default(chrome ? chrome_set_cursor(*chrome, lparam) : std::nullopt);
        case WM_NCHITTEST:
            return chrome ? chrome_nc_hit_test(*chrome, lparam) : default_handling();
        case WM_GETOBJECT:
            return answer_accessibility_request(window, hwnd, wparam, lparam);
        case WM_ACTIVATEAPP:
        case WM_POWERBROADCAST:
        case WM_WTSSESSION_CHANGE:
        case WM_QUERYENDSESSION:
        case WM_ENDSESSION:
            return record_session_event(window, message, wparam, lparam);
        case WM_RENDERFORMAT:
            render_clipboard_text(static_cast<UINT>(wparam));
            return 0;
        case WM_RENDERALLFORMATS:
            flush_clipboard(hwnd);
            return 0;
        case WM_DESTROYCLIPBOARD:
            release_emptied_clipboard(hwnd);
            return 0;
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
            // The parameter is a whole code point: one beyond 32 bits is
            // none, not its low half.
            if (window) {
                window->pending_high_surrogate = 0;
                if (wparam <= 0xFFFFFFFFu) {
                    append_text_input(*window, static_cast<std::uint32_t>(wparam));
                }
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
            return or_default(chrome ? chrome_mouse_move(*chrome) : std::nullopt);
        case WM_LBUTTONDOWN:
            if (window) {
                record_mouse_event(*window, event_pointer_down, wparam, lparam);
            }
            return or_default(chrome ? chrome_button_down(*chrome, lparam) : std::nullopt);
        case WM_LBUTTONUP:
            if (window) {
                record_mouse_event(*window, event_pointer_up, wparam, lparam);
            }
            return or_default(chrome ? chrome_button_up(*chrome, lparam) : std::nullopt);
        case WM_RBUTTONDOWN:
            if (window) {
                record_mouse_event(*window, event_pointer_down, wparam, lparam);
            }
            return default_handling();
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
            // The capture taken again by the window that holds it is kept.
            if (window && reinterpret_cast<HWND>(lparam) != hwnd) {
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
