#include "host/canvas/window_chrome.hpp"

#include <gtest/gtest.h>

#include <stdexcept>

#include "host/canvas/canvas_test_support.hpp"

namespace tamo {
namespace {

class CanvasChrome : public canvas_window_test {
  protected:
    LPARAM client_lparam(int x, int y) const { return MAKELPARAM(x, y); }

    LPARAM screen_lparam(int x, int y) const {
        const POINT origin = client_origin();
        return MAKELPARAM(origin.x + x, origin.y + y);
    }

    void put_cursor(int x, int y) {
        const POINT origin = client_origin();
        SetCursorPos(origin.x + x, origin.y + y);
    }

    RECT window_rect() const {
        RECT rect{};
        GetWindowRect(window->hwnd, &rect);
        return rect;
    }

    // Presses the left button at a client point, moves the cursor by the
    // given distance and lets the window follow.
    void drag(int x, int y, int dx, int dy) {
        put_cursor(x, y);
        send(WM_LBUTTONDOWN, MK_LBUTTON, client_lparam(x, y));
        put_cursor(x + dx, y + dy);
        send(WM_MOUSEMOVE, MK_LBUTTON, client_lparam(x + dx, y + dy));
    }
};

struct hit_case {
    POINT point;
    std::int32_t code;
};

const hit_case hit_cases[] = {
    {{3, 3}, HTTOPLEFT},         {{500, 3}, HTTOP},        {{995, 3}, HTTOPRIGHT},
    {{995, 20}, HTRIGHT},        {{980, 20}, HTCLOSE},     {{954, 8}, HTCLOSE},
    {{930, 20}, HTMAXBUTTON},    {{870, 20}, HTMINBUTTON}, {{862, 37}, HTMINBUTTON},
    {{860, 20}, HTCLIENT},       {{500, 20}, HTCAPTION},   {{500, 40}, HTCAPTION},
    {{500, 53}, HTCAPTION},      {{500, 54}, HTCLIENT},    {{848, 40}, HTCLIENT},
    {{3, 300}, HTLEFT},          {{500, 695}, HTBOTTOM},   {{3, 695}, HTBOTTOMLEFT},
    {{995, 695}, HTBOTTOMRIGHT}, {{500, -10}, HTCLIENT},   {{-3, 300}, HTCLIENT},
    {{1005, 3}, HTTOP},          {{3, -5}, HTLEFT},        {{500, 350}, HTCLIENT},
};

TEST_F(CanvasChrome, HitTestGeometry) {
    for (const hit_case& c : hit_cases) {
        EXPECT_EQ(chrome_hit_test(*window, c.point.x, c.point.y), c.code)
            << c.point.x << ", " << c.point.y;
        const LRESULT expected = c.code == HTCAPTION ? HTCAPTION : HTCLIENT;
        EXPECT_EQ(send(WM_NCHITTEST, 0, screen_lparam(c.point.x, c.point.y)), expected)
            << c.point.x << ", " << c.point.y;
    }
    window->caption_buttons = false;
    EXPECT_EQ(chrome_hit_test(*window, 980, 20), HTCLIENT);
    EXPECT_EQ(chrome_hit_test(*window, 500, 20), HTCAPTION);
}

TEST_F(CanvasChrome, WithoutCustomHitTestingTheSystemAnswers) {
    window->custom_hit_testing = false;
    EXPECT_EQ(send(WM_NCHITTEST, 0, screen_lparam(500, -10)), HTCAPTION);
    EXPECT_EQ(send(WM_NCHITTEST, 0, screen_lparam(500, 40)), HTCLIENT);
}

struct cursor_case {
    POINT point;
    LPCSTR cursor;
    bool set_by_chrome;
};

const cursor_case cursor_cases[] = {
    {{3, 300}, IDC_SIZEWE, true},   {{995, 300}, IDC_SIZEWE, true},
    {{500, 3}, IDC_SIZENS, true},   {{500, 695}, IDC_SIZENS, true},
    {{3, 3}, IDC_SIZENWSE, true},   {{995, 695}, IDC_SIZENWSE, true},
    {{995, 3}, IDC_SIZENESW, true}, {{3, 695}, IDC_SIZENESW, true},
    {{980, 20}, IDC_ARROW, true},   {{930, 20}, IDC_ARROW, true},
    {{500, 40}, IDC_ARROW, false},  {{500, 350}, IDC_ARROW, false},
};

TEST_F(CanvasChrome, CursorsFollowTheBands) {
    for (const cursor_case& c : cursor_cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << ", " << c.point.y);
        put_cursor(c.point.x, c.point.y);
        SetCursor(nullptr);
        const LRESULT result = send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window->hwnd),
                                    MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        if (c.set_by_chrome) {
            EXPECT_EQ(result, 1);
        }
        EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, c.cursor));
    }
}

TEST_F(CanvasChrome, CaptionButtonsMinimiseMaximiseAndRestore) {
    send(WM_LBUTTONUP, 0, client_lparam(870, 20));
    EXPECT_TRUE(IsIconic(window->hwnd));
    EXPECT_TRUE(window->minimized);
    ShowWindow(window->hwnd, SW_RESTORE);
    EXPECT_FALSE(window->minimized);
    send(WM_LBUTTONUP, 0, client_lparam(930, 20));
    EXPECT_TRUE(IsZoomed(window->hwnd));
    EXPECT_GT(window->client_width, 1000);
    send(WM_LBUTTONUP, 0, client_lparam(window->client_width - 70, 20));
    EXPECT_FALSE(IsZoomed(window->hwnd));
    EXPECT_EQ(window->client_width, 1000);
    EXPECT_TRUE(window->open);
}

TEST_F(CanvasChrome, TheCloseAreaClosesOnRelease) {
    // Pressed on close, released on the caption strip: nothing closes.
    send(WM_LBUTTONDOWN, MK_LBUTTON, client_lparam(980, 20));
    EXPECT_EQ(GetCapture(), window->hwnd);
    EXPECT_EQ(send(WM_LBUTTONUP, 0, client_lparam(500, 40)), 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(window->open);
    // Pressed elsewhere, released on close: the window closes.
    EXPECT_EQ(send(WM_LBUTTONUP, 0, client_lparam(980, 20)), 0);
    EXPECT_FALSE(window->open);
    EXPECT_TRUE(window->close_requested);
    EXPECT_FALSE(IsWindowVisible(window->hwnd));
}

TEST_F(CanvasChrome, ABorderDragFollowsTheCursorDownToTheMinimumSize) {
    const RECT start = window_rect();
    drag(3, 300, 100, 0);
    EXPECT_TRUE(window->chrome_drag_active);
    EXPECT_EQ(window->chrome_drag_code, HTLEFT);
    EXPECT_EQ(GetCapture(), window->hwnd);
    RECT now = window_rect();
    EXPECT_EQ(now.left, start.left + 100);
    EXPECT_EQ(now.right, start.right);
    EXPECT_EQ(now.top, start.top);
    EXPECT_EQ(now.bottom, start.bottom);
    EXPECT_EQ(window->client_width, 900);

    put_cursor(3 + 900, 300);  // client coordinates of the window at the press
    send(WM_MOUSEMOVE, MK_LBUTTON, 0);
    now = window_rect();
    EXPECT_EQ(now.right, start.right);
    EXPECT_EQ(now.right - now.left, chrome_minimum_width);
    send(WM_LBUTTONUP, 0, client_lparam(0, 0));
    EXPECT_FALSE(window->chrome_drag_active);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(CanvasChrome, ACornerDragKeepsTheMinimumHeight) {
    const RECT start = window_rect();
    drag(995, 695, -60, -900);
    const RECT now = window_rect();
    EXPECT_EQ(now.left, start.left);
    EXPECT_EQ(now.top, start.top);
    EXPECT_EQ(now.right, start.right - 60);
    EXPECT_EQ(now.bottom - now.top, chrome_minimum_height);
    send(WM_LBUTTONUP, 0, client_lparam(0, 0));
}

// Without the cursor position or the window rectangle at the press there is
// nothing to measure a drag from.
TEST_F(CanvasChrome, ABorderPressWithoutItsStartStartsNoDrag) {
    struct failing_call {
        const char* name;
        void (*fail)(platform_calls&);
    };
    const failing_call failures[] = {
        {"GetCursorPos",
         [](platform_calls& calls) { calls.GetCursorPos = [](LPPOINT) -> BOOL { return FALSE; }; }},
        {"GetWindowRect",
         [](platform_calls& calls) {
             calls.GetWindowRect = [](HWND, LPRECT) -> BOOL { return FALSE; };
         }},
    };
    for (const failing_call& failure : failures) {
        SCOPED_TRACE(failure.name);
        const RECT start = window_rect();
        put_cursor(3, 300);
        failure.fail(platform());
        send(WM_LBUTTONDOWN, MK_LBUTTON, client_lparam(3, 300));
        platform() = platform_calls{};
        EXPECT_FALSE(window->chrome_drag_active);
        EXPECT_NE(GetCapture(), window->hwnd);
        put_cursor(103, 300);
        send(WM_MOUSEMOVE, MK_LBUTTON, client_lparam(103, 300));
        const RECT now = window_rect();
        EXPECT_EQ(now.left, start.left);
        EXPECT_EQ(now.right, start.right);
        EXPECT_EQ(now.top, start.top);
        EXPECT_EQ(now.bottom, start.bottom);
        send(WM_LBUTTONUP, 0, client_lparam(103, 300));
    }
}

// Taking the capture tells the window that held it, this one included,
// that it lost the capture: the drag starts only once the capture is held.
TEST_F(CanvasChrome, ABorderPressWhileHoldingTheCaptureStartsADrag) {
    SetCapture(window->hwnd);
    const RECT start = window_rect();
    drag(3, 300, 100, 0);
    EXPECT_TRUE(window->chrome_drag_active);
    EXPECT_EQ(window->chrome_drag_code, HTLEFT);
    EXPECT_EQ(GetCapture(), window->hwnd);
    EXPECT_EQ(window_rect().left, start.left + 100);
    send(WM_LBUTTONUP, 0, client_lparam(0, 0));
    EXPECT_EQ(GetCapture(), nullptr);
}

// A press whose capture cannot be taken leaves no drag behind.
TEST_F(CanvasChrome, ABorderPressThatCannotTakeTheCaptureStartsNoDrag) {
    put_cursor(3, 300);
    platform().SetCapture = [](HWND) -> HWND { throw std::runtime_error("no capture"); };
    send(WM_LBUTTONDOWN, MK_LBUTTON, client_lparam(3, 300));
    platform() = platform_calls{};
    EXPECT_FALSE(window->chrome_drag_active);
    EXPECT_EQ(window->chrome_drag_code, 0);
    EXPECT_NE(GetCapture(), window->hwnd);
}

// A drag stopped by the minimum size may end over the close area: the
// release only ends the drag.
TEST_F(CanvasChrome, ReleasingADragOverTheCloseAreaDoesNotClose) {
    drag(3, 300, 900, 0);
    const RECT stopped = window_rect();
    ASSERT_EQ(stopped.right - stopped.left, chrome_minimum_width);
    const int close_x = window->client_width - 20;
    EXPECT_EQ(chrome_hit_test(*window, close_x, 20), HTCLOSE);
    EXPECT_EQ(send(WM_LBUTTONUP, 0, client_lparam(close_x, 20)), 0);
    EXPECT_FALSE(window->chrome_drag_active);
    EXPECT_TRUE(window->open);
    EXPECT_TRUE(IsWindowVisible(window->hwnd));
}

// A maximised window keeps its rectangle: no resize bands, no drag.
TEST_F(CanvasChrome, AMaximisedWindowCannotBeResizedByItsBorders) {
    ShowWindow(window->hwnd, SW_MAXIMIZE);
    ASSERT_TRUE(IsZoomed(window->hwnd));
    const RECT start = window_rect();
    EXPECT_EQ(chrome_hit_test(*window, 3, 300), HTCLIENT);
    EXPECT_EQ(chrome_hit_test(*window, 500, 3), HTCAPTION);
    drag(3, 300, 100, 0);
    EXPECT_FALSE(window->chrome_drag_active);
    const RECT now = window_rect();
    EXPECT_EQ(now.left, start.left);
    EXPECT_EQ(now.right, start.right);
    EXPECT_TRUE(IsZoomed(window->hwnd));
    put_cursor(3, 300);
    SetCursor(nullptr);
    send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window->hwnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), LoadCursorA(nullptr, IDC_SIZEWE));
    send(WM_LBUTTONUP, 0, client_lparam(3, 300));
}

}  // namespace
}  // namespace tamo
