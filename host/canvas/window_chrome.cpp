#include "host/canvas/window_chrome.hpp"

#include "host/canvas/gl_frame.hpp"
#include "host/canvas/platform_calls.hpp"

namespace tamo {
namespace {

bool is_border_code(std::int32_t code) {
    return code >= HTLEFT && code <= HTBOTTOMRIGHT;
}

bool is_caption_button(std::int32_t code) {
    return code == HTMINBUTTON || code == HTMAXBUTTON || code == HTCLOSE;
}

bool moves_left_edge(std::int32_t code) {
    return code == HTLEFT || code == HTTOPLEFT || code == HTBOTTOMLEFT;
}
bool moves_right_edge(std::int32_t code) {
    return code == HTRIGHT || code == HTTOPRIGHT || code == HTBOTTOMRIGHT;
}
bool moves_top_edge(std::int32_t code) {
    return code == HTTOP || code == HTTOPLEFT || code == HTTOPRIGHT;
}
bool moves_bottom_edge(std::int32_t code) {
    return code == HTBOTTOM || code == HTBOTTOMLEFT || code == HTBOTTOMRIGHT;
}

std::int32_t border_hit_test(std::int32_t x, std::int32_t y, std::int32_t width,
                             std::int32_t height) {
    const bool left = x >= 0 && x < chrome_border_band;
    const bool right = x >= width - chrome_border_band && x < width;
    const bool top = y >= 0 && y < chrome_border_band;
    const bool bottom = y >= height - chrome_border_band && y < height;
    if (left && top) {
        return HTTOPLEFT;
    }
    if (top && right) {
        return HTTOPRIGHT;
    }
    if (left && bottom) {
        return HTBOTTOMLEFT;
    }
    if (right && bottom) {
        return HTBOTTOMRIGHT;
    }
    if (left) {
        return HTLEFT;
    }
    if (right) {
        return HTRIGHT;
    }
    if (top) {
        return HTTOP;
    }
    if (bottom) {
        return HTBOTTOM;
    }
    return HTNOWHERE;
}

POINT client_point(LPARAM lparam) {
    return {static_cast<std::int16_t>(lparam & 0xFFFF),
            static_cast<std::int16_t>((lparam >> 16) & 0xFFFF)};
}

void show_arrow_cursor() {
    auto& calls = platform();
    calls.SetCursor(calls.LoadCursorA(nullptr, IDC_ARROW));
}

// Moves the dragged edges by the cursor's travel since the press, keeping
// the minimum size.
void drag_border(canvas_window& window, POINT cursor) {
    const std::int32_t code = window.chrome_drag_code;
    const LONG dx = cursor.x - window.chrome_drag_cursor.x;
    const LONG dy = cursor.y - window.chrome_drag_cursor.y;
    RECT rect = window.chrome_drag_rect;
    if (moves_left_edge(code)) {
        rect.left += dx;
    }
    if (moves_right_edge(code)) {
        rect.right += dx;
    }
    if (moves_top_edge(code)) {
        rect.top += dy;
    }
    if (moves_bottom_edge(code)) {
        rect.bottom += dy;
    }
    if (rect.right - rect.left < chrome_minimum_width) {
        if (moves_left_edge(code)) {
            rect.left = rect.right - chrome_minimum_width;
        } else {
            rect.right = rect.left + chrome_minimum_width;
        }
    }
    if (rect.bottom - rect.top < chrome_minimum_height) {
        if (moves_top_edge(code)) {
            rect.top = rect.bottom - chrome_minimum_height;
        } else {
            rect.bottom = rect.top + chrome_minimum_height;
        }
    }
    platform().SetWindowPos(window.hwnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                            rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
}

}  // namespace

std::int32_t chrome_hit_test(const canvas_window& window, std::int32_t x, std::int32_t y) {
    const std::int32_t width = window.client_width;
    const std::int32_t height = window.client_height;
    // A maximised window keeps its rectangle: resizing it would leave it
    // marked maximised with another size.
    if (!platform().IsZoomed(window.hwnd)) {
        if (const std::int32_t border = border_hit_test(x, y, width, height); border != HTNOWHERE) {
            return border;
        }
    }
    if (y >= chrome_border_band && y <= 37 && window.caption_buttons) {
        if (x >= width - caption_button_width && x < width) {
            return HTCLOSE;
        }
        if (x >= width - 2 * caption_button_width && x < width - caption_button_width) {
            return HTMAXBUTTON;
        }
        if (x >= width - 3 * caption_button_width && x < width - 2 * caption_button_width) {
            return HTMINBUTTON;
        }
    } else if (y < 0 || y > caption_strip_bottom) {
        return HTCLIENT;
    }
    return x < 0 || x >= width - caption_client_margin ? HTCLIENT : HTCAPTION;
}

void set_resize_cursor(std::int32_t code) {
    LPCSTR cursor = IDC_ARROW;
    switch (code) {
        case HTLEFT:
        case HTRIGHT:
            cursor = IDC_SIZEWE;
            break;
        case HTTOP:
        case HTBOTTOM:
            cursor = IDC_SIZENS;
            break;
        case HTTOPLEFT:
        case HTBOTTOMRIGHT:
            cursor = IDC_SIZENWSE;
            break;
        case HTTOPRIGHT:
        case HTBOTTOMLEFT:
            cursor = IDC_SIZENESW;
            break;
        default:
            break;
    }
    auto& calls = platform();
    calls.SetCursor(calls.LoadCursorA(nullptr, cursor));
}

LRESULT chrome_nc_hit_test(const canvas_window& window, LPARAM lparam) {
    POINT point = client_point(lparam);
    platform().ScreenToClient(window.hwnd, &point);
    return chrome_hit_test(window, point.x, point.y) == HTCAPTION ? HTCAPTION : HTCLIENT;
}

std::optional<LRESULT> chrome_set_cursor(const canvas_window& window, LPARAM lparam) {
    if ((lparam & 0xFFFF) != HTCLIENT) {
        return std::nullopt;
    }
    auto& calls = platform();
    POINT cursor{};
    if (!calls.GetCursorPos(&cursor) || !calls.ScreenToClient(window.hwnd, &cursor)) {
        return std::nullopt;
    }
    const std::int32_t code = chrome_hit_test(window, cursor.x, cursor.y);
    if (is_caption_button(code)) {
        show_arrow_cursor();
        return 1;
    }
    if (is_border_code(code)) {
        set_resize_cursor(code);
        return 1;
    }
    return std::nullopt;
}

std::optional<LRESULT> chrome_button_down(canvas_window& window, LPARAM lparam) {
    auto& calls = platform();
    const POINT point = client_point(lparam);
    const std::int32_t code = chrome_hit_test(window, point.x, point.y);
    if (is_caption_button(code)) {
        calls.SetCapture(window.hwnd);
        return 0;
    }
    if (!is_border_code(code)) {
        return std::nullopt;
    }
    // A drag is measured from the cursor and the window rectangle at the
    // press; without either there is nothing to follow.
    POINT cursor{};
    RECT rect{};
    if (!calls.GetCursorPos(&cursor) || !calls.GetWindowRect(window.hwnd, &rect)) {
        return std::nullopt;
    }
    // Taking the capture sends its loss to the window that held it, this
    // one too, which would end a drag marked before.
    calls.SetCapture(window.hwnd);
    window.chrome_drag_active = true;
    window.chrome_drag_code = code;
    window.chrome_drag_cursor = cursor;
    window.chrome_drag_rect = rect;
    set_resize_cursor(code);
    return 0;
}

std::optional<LRESULT> chrome_mouse_move(canvas_window& window) {
    if (!window.chrome_drag_active) {
        return std::nullopt;
    }
    POINT cursor{};
    if (platform().GetCursorPos(&cursor)) {
        drag_border(window, cursor);
        prepare_gl_frame_and_clear(window);
    }
    return 0;
}

std::optional<LRESULT> chrome_button_up(canvas_window& window, LPARAM lparam) {
    auto& calls = platform();
    // The end of a border drag, wherever it stops, never presses a button.
    if (window.chrome_drag_active) {
        window.chrome_drag_active = false;
        window.chrome_drag_code = 0;
        calls.ReleaseCapture();
        return 0;
    }
    const POINT point = client_point(lparam);
    switch (chrome_hit_test(window, point.x, point.y)) {
        case HTMINBUTTON:
            calls.ReleaseCapture();
            calls.ShowWindow(window.hwnd, SW_MINIMIZE);
            return 0;
        case HTMAXBUTTON:
            calls.ReleaseCapture();
            calls.ShowWindow(window.hwnd, calls.IsZoomed(window.hwnd) ? SW_RESTORE : SW_MAXIMIZE);
            return 0;
        case HTCLOSE:
            calls.ReleaseCapture();
            calls.SendMessageA(window.hwnd, WM_CLOSE, 0, 0);
            return 0;
        default:
            break;
    }
    if (calls.GetCapture() == window.hwnd) {
        calls.ReleaseCapture();
        return 0;
    }
    return std::nullopt;
}

}  // namespace tamo
