#include "host/canvas/pointer_input.hpp"

#include <vector>

#include "host/canvas/platform_calls.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

std::int64_t signed_low_word(LPARAM value) {
    return static_cast<std::int16_t>(value & 0xFFFF);
}
std::int64_t signed_high_word(LPARAM value) {
    return static_cast<std::int16_t>((value >> 16) & 0xFFFF);
}

void take_press_snapshot(canvas_window& window) {
    window.press_revision = window.input_revision;
    window.press_pointer_id = window.pointer_id;
    window.press_device = window.pointer_device;
    window.press_pressure = window.pointer_pressure;
    window.press_client_x = window.pointer_client_x;
    window.press_client_y = window.pointer_client_y;
    window.press_message_x = window.pointer_message_x;
    window.press_message_y = window.pointer_message_y;
    window.press_contact = window.pointer_contact;
}

POINT to_client(HWND hwnd, POINT point) {
    platform().ScreenToClient(hwnd, &point);
    return point;
}

std::int64_t pointer_kind(UINT message) {
    switch (message) {
        case WM_POINTERDOWN:
            return event_pointer_down;
        case WM_POINTERUP:
            return event_pointer_up;
        default:
            return event_pointer_move;
    }
}

// Pen pressure scaled from 0..1024 to 0..1000.
std::int64_t pen_pressure(std::uint32_t pointer_id, std::int64_t fallback) {
    POINTER_PEN_INFO pen{};
    if (!platform().GetPointerPenInfo(pointer_id, &pen) || (pen.penMask & PEN_MASK_PRESSURE) == 0) {
        return fallback;
    }
    // In 64 bits, so a pressure far beyond the range cannot wrap to a light one.
    const std::uint64_t scaled = std::uint64_t{pen.pressure} * 1000u;
    return scaled <= 1023999u ? scaled >> 10 : 1000;
}

}  // namespace

void record_pointer_event(canvas_window& window, std::int64_t kind, std::int64_t pointer_id,
                          std::int64_t device, WPARAM wparam, LPARAM lparam, std::int64_t pressure,
                          bool screen_coordinates) {
    auto& calls = platform();
    if (device == device_mouse && kind <= event_wheel &&
        (calls.GetMessageExtraInfo() & 0xFFFFFF00) == synthesized_mouse_mark) {
        return;
    }
    window.pointer_id = pointer_id;
    window.pointer_device = device;
    window.pointer_buttons = screen_coordinates ? (wparam >> 16) & 0x1F : wparam & 0xFFFF;
    window.pointer_pressure = pressure != -1 ? pressure : (kind == event_pointer_down ? 1000 : 0);
    window.pointer_wheel = kind == event_wheel ? signed_high_word(static_cast<LPARAM>(wparam)) : 0;
    window.pointer_message_x = signed_low_word(lparam);
    window.pointer_message_y = signed_high_word(lparam);
    POINT point{static_cast<LONG>(window.pointer_message_x),
                static_cast<LONG>(window.pointer_message_y)};
    if (screen_coordinates || kind == event_wheel) {
        point = to_client(window.hwnd, point);
    }
    window.pointer_client_x = point.x;
    window.pointer_client_y = point.y;
    if (kind == event_capture_lost || kind == event_pointer_cancelled) {
        window.pointer_contact = 0;
    } else if (kind == event_pointer_down) {
        window.pointer_contact = 1;
    } else {
        window.pointer_contact = window.hwnd && calls.GetCapture() == window.hwnd ? 1 : 0;
    }
    window.pointer_capture_lost = kind == event_capture_lost ? 1 : 0;
    window.pointer_cancelled = kind == event_pointer_cancelled ? 1 : 0;
    bump_window_revision(window, kind);
    if (kind == event_pointer_down) {
        take_press_snapshot(window);
    }
}

void record_mouse_event(canvas_window& window, std::int64_t kind, WPARAM wparam, LPARAM lparam) {
    record_pointer_event(window, kind, 1, device_mouse, wparam, lparam, -1, false);
}

void on_pointer_message(canvas_window& window, UINT message, WPARAM wparam, LPARAM lparam) {
    const std::uint32_t pointer_id = wparam & 0xFFFF;
    POINTER_INPUT_TYPE type = 0;
    if (!platform().GetPointerType(pointer_id, &type)) {
        return;
    }
    const std::int64_t kind = pointer_kind(message);
    const std::int64_t pressure = kind == event_pointer_down ? 1000 : 0;
    switch (type) {
        case PT_MOUSE:
        case PT_TOUCH:
            record_pointer_event(window, kind, pointer_id,
                                 type == PT_MOUSE ? device_mouse : device_touch, wparam, lparam,
                                 pressure, true);
            break;
        case PT_PEN:
            record_pointer_event(window, kind, pointer_id, device_pen, wparam, lparam,
                                 pen_pressure(pointer_id, pressure), true);
            break;
        default:
            break;
    }
}

void on_touch_message(canvas_window& window, WPARAM wparam, LPARAM lparam) {
    auto& calls = platform();
    const UINT count = wparam & 0xFFFF;
    const auto touch_handle = reinterpret_cast<HTOUCHINPUT>(lparam);
    std::vector<TOUCHINPUT> entries(count);
    if (count == 0 ||
        !calls.GetTouchInputInfo(touch_handle, count, entries.data(), sizeof(TOUCHINPUT))) {
        calls.CloseTouchInputHandle(touch_handle);
        return;
    }
    for (const TOUCHINPUT& entry : entries) {
        ++window.touch_count;
        const POINT screen{entry.x / 100, entry.y / 100};
        const POINT client = to_client(window.hwnd, screen);
        std::int64_t kind = event_pointer_move;
        if (entry.dwFlags & TOUCHEVENTF_DOWN) {
            kind = event_pointer_down;
        } else if (entry.dwFlags & TOUCHEVENTF_UP) {
            kind = event_pointer_up;
        }
        window.pointer_device = device_touch;
        window.pointer_buttons = (entry.dwFlags >> 1) & 1;
        window.pointer_id = entry.dwID;
        window.pointer_pressure = kind == event_pointer_down ? 1000 : 0;
        window.pointer_wheel = 0;
        window.pointer_client_x = client.x;
        window.pointer_client_y = client.y;
        window.pointer_message_x = screen.x;
        window.pointer_message_y = screen.y;
        window.pointer_contact = kind == event_pointer_down ? 1 : 0;
        window.pointer_capture_lost = 0;
        window.pointer_cancelled = 0;
        bump_window_revision(window, kind);
        if (kind == event_pointer_down) {
            take_press_snapshot(window);
        }
    }
    calls.CloseTouchInputHandle(touch_handle);
}

}  // namespace tamo
