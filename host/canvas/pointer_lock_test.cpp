#include "host/canvas/pointer_lock.hpp"

#include <gtest/gtest.h>

#include <climits>

#include "host/canvas/canvas_test_support.hpp"
#include "host/canvas/window_closing.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

int cursor_calls = 0;
RAWINPUT answered_input{};
UINT answered_read = sizeof(RAWINPUT);
RAWINPUTDEVICE registered_device{};
UINT registered_count = 0;
UINT registered_size = 0;

class CanvasPointerLock : public canvas_window_test {
  protected:
    void SetUp() override {
        canvas_window_test::SetUp();
        cursor_calls = 0;
        registered_count = 0;
        answered_read = sizeof(RAWINPUT);
        auto& calls = platform();
        calls.ClipCursor = [](const RECT* rect) -> BOOL {
            ++cursor_calls;
            return ::ClipCursor(rect);
        };
        calls.SetCursor = [](HCURSOR cursor) -> HCURSOR {
            ++cursor_calls;
            return ::SetCursor(cursor);
        };
        // Raw input reports come through the call table.
        calls.GetRawInputData = [](HRAWINPUT, UINT command, LPVOID data, PUINT size,
                                   UINT header_size) -> UINT {
            EXPECT_EQ(command, static_cast<UINT>(RID_INPUT));
            EXPECT_EQ(*size, 48u);
            EXPECT_EQ(header_size, 24u);
            *static_cast<RAWINPUT*>(data) = answered_input;
            return answered_read;
        };
        calls.RegisterRawInputDevices = [](PCRAWINPUTDEVICE devices, UINT count,
                                           UINT size) -> BOOL {
            registered_device = devices[0];
            registered_count = count;
            registered_size = size;
            return TRUE;
        };
        lock().lock_motion.store(0);
    }

    void TearDown() override {
        ::ClipCursor(nullptr);
        canvas_window_test::TearDown();
    }

    pointer_lock_state& lock() { return window_registry_instance().pointer_lock; }

    void request_lock() {
        SetCursorPos(client_origin().x + 500, client_origin().y + 350);
        lock().lock_window = window->hwnd;
        lock().lock_requested = true;
    }

    RECT client_on_screen() const {
        RECT client{};
        GetClientRect(window->hwnd, &client);
        MapWindowPoints(window->hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return client;
    }

    static RECT clip() {
        RECT rect{};
        GetClipCursor(&rect);
        return rect;
    }

    void send_raw_motion(LONG dx, LONG dy, DWORD type = RIM_TYPEMOUSE, USHORT flags = 0) {
        answered_input = {};
        answered_input.header.dwType = type;
        answered_input.data.mouse.usFlags = flags;
        answered_input.data.mouse.lLastX = dx;
        answered_input.data.mouse.lLastY = dy;
        send(WM_INPUT, RIM_INPUT, 0x5555);
    }
};

bool same_rect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(CanvasPointerLock, WithoutALockWindowNothingHappens) {
    send(WM_SETFOCUS, 0, 0);
    send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(1000, 700));
    send(WM_MOVE, 0, MAKELPARAM(5, 5));
    send(WM_KILLFOCUS, 0, 0);
    send(WM_INPUT, RIM_INPUT, 0x5555);
    send(WM_CLOSE, 0, 0);
    EXPECT_EQ(cursor_calls, 0);
    EXPECT_FALSE(lock().lock_active);
    EXPECT_TRUE(lock().cursor_visible);
    EXPECT_EQ(lock().lock_motion.load(), 0u);
}

TEST_F(CanvasPointerLock, ALockClipsAndHidesTheCursorUntilFocusIsLost) {
    request_lock();
    apply_pointer_lock(window->hwnd);
    EXPECT_TRUE(lock().lock_active);
    EXPECT_TRUE(same_rect(clip(), client_on_screen()));
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_EQ(send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window->hwnd), HTCLIENT), 1);
    EXPECT_EQ(GetCursor(), nullptr);

    SetWindowPos(window->hwnd, nullptr, 150, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(same_rect(clip(), client_on_screen()));

    send_raw_motion(7, -3);
    send(WM_KILLFOCUS, 0, 0);
    EXPECT_FALSE(lock().lock_active);
    EXPECT_EQ(lock().lock_motion.load(), 0u);
    EXPECT_FALSE(same_rect(clip(), client_on_screen()));
    EXPECT_NE(GetCursor(), nullptr);

    send(WM_SETFOCUS, 0, 0);
    EXPECT_TRUE(lock().lock_active);
    send(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FALSE(lock().lock_active);
    send(WM_SIZE, SIZE_RESTORED, MAKELPARAM(1000, 700));
    EXPECT_TRUE(lock().lock_active);
    send(WM_CLOSE, 0, 0);
    EXPECT_FALSE(lock().lock_active);
    EXPECT_TRUE(lock().lock_requested);
}

TEST_F(CanvasPointerLock, NoLockWhileAnotherWindowIsInTheForeground) {
    request_lock();
    platform().GetForegroundWindow = []() -> HWND { return nullptr; };
    apply_pointer_lock(window->hwnd);
    EXPECT_FALSE(lock().lock_active);
    EXPECT_EQ(cursor_calls, 0);
}

TEST_F(CanvasPointerLock, AVisibleCursorOverAnInactiveLockIsTheArrow) {
    request_lock();
    lock().lock_requested = false;
    update_lock_cursor(window->hwnd);
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_ARROW));
    EXPECT_NE(send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window->hwnd), HTCLIENT), 1);
    lock().cursor_visible = false;
    EXPECT_EQ(send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window->hwnd), HTCLIENT), 1);
    EXPECT_EQ(GetCursor(), nullptr);
    EXPECT_NE(send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window->hwnd), HTCAPTION), 1);
}

TEST_F(CanvasPointerLock, RawMotionAccumulatesWhileLocked) {
    send_raw_motion(5, 5);  // not locked yet
    EXPECT_EQ(lock().lock_motion.load(), 0u);
    request_lock();
    apply_pointer_lock(window->hwnd);
    send_raw_motion(5, -3);
    send_raw_motion(4, -2);
    EXPECT_EQ(lock_motion_x(), 9);
    EXPECT_EQ(lock_motion_y(), -5);
    send_raw_motion(100, 100, RIM_TYPEKEYBOARD);
    send_raw_motion(100, 100, RIM_TYPEMOUSE, MOUSE_MOVE_ABSOLUTE);
    answered_read = 40;
    send_raw_motion(100, 100);
    answered_read = static_cast<UINT>(-1);
    send_raw_motion(100, 100);
    EXPECT_EQ(lock_motion_x(), 9);
    EXPECT_EQ(lock_motion_y(), -5);
}

TEST_F(CanvasPointerLock, MotionSumsSaturate) {
    add_lock_motion(INT_MAX - 1, -7);
    add_lock_motion(5, 2);
    EXPECT_EQ(lock_motion_x(), INT_MAX);
    EXPECT_EQ(lock_motion_y(), -5);
    add_lock_motion(INT_MIN, INT_MIN);
    add_lock_motion(INT_MIN, 0);
    EXPECT_EQ(lock_motion_x(), INT_MIN);
    EXPECT_EQ(lock_motion_y(), INT_MIN);
}

TEST_F(CanvasPointerLock, DestroyingTheLockWindowReleasesTheLock) {
    request_lock();
    apply_pointer_lock(window->hwnd);
    lock().raw_mouse_registered = true;
    lock().cursor_visible = false;
    close_canvas_window(*window);
    EXPECT_EQ(lock().lock_window, nullptr);
    EXPECT_FALSE(lock().lock_requested);
    EXPECT_FALSE(lock().lock_active);
    EXPECT_FALSE(lock().raw_mouse_registered);
    EXPECT_TRUE(lock().cursor_visible);
    EXPECT_EQ(registered_count, 1u);
    EXPECT_EQ(registered_size, 16u);
    EXPECT_EQ(registered_device.usUsagePage, 1);
    EXPECT_EQ(registered_device.usUsage, 2);
    EXPECT_EQ(registered_device.dwFlags, static_cast<DWORD>(RIDEV_REMOVE));
    EXPECT_EQ(registered_device.hwndTarget, nullptr);
}

// A record whose window is already gone matches an absent lock window.
TEST_F(CanvasPointerLock, ClosingAWindowlessRecordResetsALockWithoutWindow) {
    DestroyWindow(window->hwnd);
    lock().lock_requested = true;
    lock().cursor_visible = false;
    cursor_calls = 0;
    close_canvas_window(*window);
    EXPECT_EQ(cursor_calls, 2);  // unclipped, arrow cursor
    EXPECT_FALSE(lock().lock_requested);
    EXPECT_TRUE(lock().cursor_visible);
}

}  // namespace
}  // namespace tamo
