#include "host/canvas/window_procedure.hpp"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/canvas/canvas_test_support.hpp"
#include "host/canvas/srgb.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

using CanvasProcedure = canvas_window_test;

struct key_case {
    const char* name;
    UINT message;
    WPARAM vk;
    LPARAM lparam;
    std::int64_t modifiers_before;
    int queued_presses;
    std::int64_t repeat;
    std::int64_t kind;
    std::int64_t modifiers_after;
};

const key_case key_cases[] = {
    {"first press", WM_KEYDOWN, 'A', 0x001E0001, 0, 1, 0, event_key_down, 0},
    {"repeat count 0", WM_KEYDOWN, 'A', 0, 0, 1, 0, event_key_down, 0},
    {"auto-repeat", WM_KEYDOWN, 'A', 0x401E0001, 0, 0, 1, event_key_down, 0},
    {"repeat count 2", WM_KEYDOWN, 'A', 0x001E0002, 0, 0, 1, event_key_down, 0},
    {"key up", WM_KEYUP, 'A', static_cast<LPARAM>(0xC01E0001u), 0, 0, 1, event_key_up, 0},
    {"shift down", WM_KEYDOWN, VK_SHIFT, 0x002A0001, 0, 1, 0, event_key_down, 1},
    {"control beside shift", WM_KEYDOWN, VK_CONTROL, 0x001D0001, 1, 1, 0, event_key_down, 3},
    {"alt down", WM_SYSKEYDOWN, VK_MENU, 0x20380001, 0, 1, 0, event_key_down, 4},
    {"alt up", WM_SYSKEYUP, VK_MENU, static_cast<LPARAM>(0xE0380001u), 5, 0, 1, event_key_up, 1},
    {"shift up", WM_KEYUP, VK_SHIFT, static_cast<LPARAM>(0xC02A0001u), 7, 0, 1, event_key_up, 6},
    {"system key F10", WM_SYSKEYDOWN, VK_F10, 0x00440001, 0, 1, 0, event_key_down, 0},
};

TEST_F(CanvasProcedure, KeyMessagesQueuePressesAndTrackModifiers) {
    for (const key_case& c : key_cases) {
        SCOPED_TRACE(c.name);
        window->press_counters.fill(0);
        window->modifier_mask = c.modifiers_before;
        const std::int64_t sequence = window_registry_instance().sequence;
        EXPECT_EQ(send(c.message, c.vk, c.lparam), 0);
        EXPECT_EQ(window->event_code, static_cast<std::int64_t>(c.vk));
        EXPECT_EQ(window->event_value, static_cast<std::int64_t>(c.vk));
        EXPECT_EQ(window->press_counters[c.vk], c.queued_presses);
        EXPECT_EQ(window->event_repeat, c.repeat);
        EXPECT_EQ(window->last_event_kind, c.kind);
        EXPECT_EQ(window->modifier_mask, c.modifiers_after);
        EXPECT_EQ(window->event_modifiers, c.modifiers_after);
        EXPECT_EQ(window->event_words, (std::array<std::int64_t, 3>{1, 1, 0}));
        EXPECT_EQ(window->state_revision, sequence);
        EXPECT_EQ(window->input_revision, sequence);
        EXPECT_EQ(window->event_revision, sequence);
    }
}

TEST_F(CanvasProcedure, QueuedPressesSaturateAndKeysBeyond255AreNotQueued) {
    for (int press = 0; press < 300; ++press) {
        send(WM_KEYDOWN, 'R', 1);
    }
    EXPECT_EQ(window->press_counters['R'], 255);
    window->press_counters.fill(0);
    send(WM_KEYDOWN, 0x1FF, 1);
    EXPECT_EQ(window->event_code, 0x1FF);
    EXPECT_EQ(window->last_event_kind, event_key_down);
    for (const std::uint8_t count : window->press_counters) {
        EXPECT_EQ(count, 0);
    }
}

// After Alt+Tab the key-up messages go to the other window: focus loss
// forgets held modifiers as well as queued presses and an open composition.
TEST_F(CanvasProcedure, FocusLossForgetsModifiersPressesAndComposition) {
    send(WM_SYSKEYDOWN, VK_MENU, 0x20380001);
    send(WM_KEYDOWN, 'A', 1);
    send(WM_IME_STARTCOMPOSITION, 0, 0);
    window->composition_text = "ka";
    const std::int64_t composition_revision = window->composition_revision;
    EXPECT_EQ(send(WM_KILLFOCUS, 0, 0), 0);
    EXPECT_FALSE(window->focused);
    EXPECT_EQ(window->modifier_mask, 0);
    EXPECT_EQ(window->press_counters['A'], 0);
    EXPECT_EQ(window->press_counters[VK_MENU], 0);
    EXPECT_FALSE(window->composing);
    EXPECT_EQ(window->composition_text, "");
    EXPECT_EQ(window->composition_revision, composition_revision + 1);
    send(WM_KEYDOWN, VK_SHIFT, 1);
    EXPECT_EQ(window->event_modifiers, 1);
    EXPECT_EQ(send(WM_SETFOCUS, 0, 0), 0);
    EXPECT_TRUE(window->focused);
}

struct typed_unit {
    UINT message;
    WPARAM unit;
};

struct text_case {
    const char* name;
    std::vector<typed_unit> units;
    std::string text;
    std::int64_t count;
};

const text_case text_cases[] = {
    {"ascii", {{WM_CHAR, 'a'}}, "a", 1},
    {"controls dropped",
     {{WM_CHAR, 0x09}, {WM_CHAR, 0x7F}, {WM_CHAR, 0x1F}, {WM_CHAR, 0x0D}},
     "",
     0},
    {"two bytes", {{WM_CHAR, 0xE9}}, "\xC3\xA9", 1},
    {"surrogate pair", {{WM_CHAR, 0xD83D}, {WM_CHAR, 0xDE00}}, "\xF0\x9F\x98\x80", 1},
    {"lone low surrogate", {{WM_CHAR, 0xDE00}}, "", 0},
    {"high then ascii", {{WM_CHAR, 0xD83D}, {WM_CHAR, 'b'}, {WM_CHAR, 0xDE00}}, "b", 1},
    {"second high wins",
     {{WM_CHAR, 0xD83D}, {WM_CHAR, 0xD83E}, {WM_CHAR, 0xDD16}},
     "\xF0\x9F\xA4\x96",
     1},
    {"ime char", {{WM_IME_CHAR, 0x4E2D}}, "\xE4\xB8\xAD", 1},
    {"unichar", {{WM_UNICHAR, 0x1F600}}, "\xF0\x9F\x98\x80", 1},
    {"unichar out of range", {{WM_UNICHAR, 0x110000}, {WM_UNICHAR, 0xD800}}, "", 0},
    {"unichar beyond 32 bits", {{WM_UNICHAR, 0x100000041}}, "", 0},
    {"unichar clears a held high",
     {{WM_CHAR, 0xD83D}, {WM_UNICHAR, 'x'}, {WM_CHAR, 0xDE00}},
     "x",
     1},
};

TEST_F(CanvasProcedure, TypedTextIsKeptAsUtf8) {
    for (const text_case& c : text_cases) {
        SCOPED_TRACE(c.name);
        window->text_input.clear();
        window->text_input_count = 0;
        window->pending_high_surrogate = 0;
        for (const typed_unit& unit : c.units) {
            EXPECT_EQ(send(unit.message, unit.unit, 0), 0);
        }
        EXPECT_EQ(window->text_input, c.text);
        EXPECT_EQ(window->text_input_count, c.count);
    }
    EXPECT_EQ(send(WM_UNICHAR, UNICODE_NOCHAR, 0), 1);
}

TEST_F(CanvasProcedure, TextInputStopsAt512Bytes) {
    for (int i = 0; i < 510; ++i) {
        send(WM_CHAR, 'x', 0);
    }
    send(WM_CHAR, 0x4E2D, 0);  // three bytes would end at byte 513
    send(WM_CHAR, 'y', 0);
    send(WM_CHAR, 'z', 0);
    send(WM_CHAR, 'w', 0);
    EXPECT_EQ(window->text_input, std::string(510, 'x') + "yz");
    EXPECT_EQ(window->text_input_count, 512);
}

struct mouse_case {
    const char* name;
    UINT message;
    WPARAM wparam;
    POINT point;  // client point; screen point for the wheel
    LRESULT result;
    std::int64_t kind;
    std::int64_t buttons;
    std::int64_t pressure;
    std::int64_t wheel;
    std::int64_t contact;
    std::int64_t capture_lost;
    std::int64_t cancelled;
};

const mouse_case mouse_cases[] = {
    {"move", WM_MOUSEMOVE, MK_LBUTTON, {30, 40}, 0, event_pointer_move, 1, 0, 0, 0, 0, 0},
    {"left down", WM_LBUTTONDOWN, MK_LBUTTON, {-5, -7}, 0, event_pointer_down, 1, 1000, 0, 1, 0, 0},
    {"left up", WM_LBUTTONUP, 0, {10, 20}, 0, event_pointer_up, 0, 0, 0, 0, 0, 0},
    {"right down", WM_RBUTTONDOWN, MK_RBUTTON, {1, 2}, 0, event_pointer_down, 2, 1000, 0, 1, 0, 0},
    {"right up", WM_RBUTTONUP, MK_SHIFT, {3, 4}, 0, event_pointer_up, 4, 0, 0, 0, 0, 0},
    {"wheel up",
     WM_MOUSEWHEEL,
     (120u << 16) | MK_CONTROL,
     {50, 60},
     0,
     event_wheel,
     8,
     0,
     120,
     0,
     0,
     0},
    {"wheel down", WM_MOUSEWHEEL, 0xFF880000u, {70, 80}, 0, event_wheel, 0, 0, -120, 0, 0, 0},
    {"capture lost", WM_CAPTURECHANGED, 0, {5, 6}, 0, event_capture_lost, 0, 0, 0, 0, 1, 0},
    {"cancel mode", WM_CANCELMODE, 0, {7, 8}, 0, event_pointer_cancelled, 0, 0, 0, 0, 0, 1},
};

TEST_F(CanvasProcedure, MouseMessagesRecordThePointer) {
    const POINT origin = client_origin();
    for (const mouse_case& c : mouse_cases) {
        SCOPED_TRACE(c.name);
        const bool screen = c.message == WM_MOUSEWHEEL;
        const POINT carried = screen ? POINT{origin.x + c.point.x, origin.y + c.point.y} : c.point;
        EXPECT_EQ(send(c.message, c.wparam, MAKELPARAM(carried.x, carried.y)), c.result);
        EXPECT_EQ(window->last_event_kind, c.kind);
        EXPECT_EQ(window->pointer_id, 1);
        EXPECT_EQ(window->pointer_device, device_mouse);
        EXPECT_EQ(window->pointer_buttons, c.buttons);
        EXPECT_EQ(window->pointer_pressure, c.pressure);
        EXPECT_EQ(window->pointer_wheel, c.wheel);
        EXPECT_EQ(window->pointer_message_x, carried.x);
        EXPECT_EQ(window->pointer_message_y, carried.y);
        EXPECT_EQ(window->pointer_client_x, c.point.x);
        EXPECT_EQ(window->pointer_client_y, c.point.y);
        EXPECT_EQ(window->pointer_contact, c.contact);
        EXPECT_EQ(window->pointer_capture_lost, c.capture_lost);
        EXPECT_EQ(window->pointer_cancelled, c.cancelled);
        if (c.kind == event_pointer_down) {
            EXPECT_EQ(window->press_revision, window->input_revision);
            EXPECT_EQ(window->press_client_x, c.point.x);
            EXPECT_EQ(window->press_client_y, c.point.y);
            EXPECT_EQ(window->press_pressure, 1000);
            EXPECT_EQ(window->press_contact, 1);
        }
    }
}

TEST_F(CanvasProcedure, CaptureMakesContactAndItsLossEndsABorderDrag) {
    SetCapture(window->hwnd);
    send(WM_MOUSEMOVE, 0, MAKELPARAM(9, 9));
    EXPECT_EQ(window->pointer_contact, 1);
    window->chrome_drag_active = true;
    window->chrome_drag_code = HTLEFT;
    ReleaseCapture();  // the system sends WM_CAPTURECHANGED
    EXPECT_FALSE(window->chrome_drag_active);
    EXPECT_EQ(window->chrome_drag_code, 0);
    EXPECT_EQ(window->last_event_kind, event_capture_lost);
    EXPECT_EQ(window->pointer_contact, 0);
}

// The default handling of a cancel releases the capture: the cancel is
// still the last event recorded.
TEST_F(CanvasProcedure, CancellingACapturedPointerRecordsTheCancel) {
    SetCapture(window->hwnd);
    window->chrome_drag_active = true;
    window->chrome_drag_code = HTLEFT;
    send(WM_CANCELMODE, 0, 0);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(window->chrome_drag_active);
    EXPECT_EQ(window->last_event_kind, event_pointer_cancelled);
    EXPECT_EQ(window->pointer_cancelled, 1);
    EXPECT_EQ(window->pointer_capture_lost, 0);
    EXPECT_EQ(window->pointer_contact, 0);
}

// A press that takes the capture its window already holds loses nothing.
TEST_F(CanvasProcedure, CaptureTakenAgainByItsHolderIsNoLoss) {
    SetCapture(window->hwnd);
    send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(500, 300));
    window->chrome_drag_active = true;
    window->chrome_drag_code = HTLEFT;
    const std::int64_t revision = window->event_revision;
    SetCapture(window->hwnd);
    EXPECT_EQ(GetCapture(), window->hwnd);
    EXPECT_TRUE(window->chrome_drag_active);
    EXPECT_EQ(window->chrome_drag_code, HTLEFT);
    EXPECT_EQ(window->last_event_kind, event_pointer_down);
    EXPECT_EQ(window->pointer_contact, 1);
    EXPECT_EQ(window->pointer_capture_lost, 0);
    EXPECT_EQ(window->event_revision, revision);
    ReleaseCapture();
    EXPECT_EQ(window->last_event_kind, event_capture_lost);
}

INPUT mouse_input(DWORD flags, ULONG_PTR extra_info) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    input.mi.dwExtraInfo = extra_info;
    return input;
}

// Mouse messages the system makes from touch or pen carry a mark in their
// extra info; the touch or pointer message itself is recorded instead.
TEST_F(CanvasProcedure, MouseMessagesSynthesisedFromTouchChangeNothing) {
    const POINT origin = client_origin();
    SetCursorPos(origin.x + 200, origin.y + 300);
    drain_for(50);
    const std::int64_t press_revision = window->press_revision;
    INPUT marked[2] = {mouse_input(MOUSEEVENTF_LEFTDOWN, 0xFF515701),
                       mouse_input(MOUSEEVENTF_LEFTUP, 0xFF515701)};
    SendInput(2, marked, sizeof(INPUT));
    drain_for(100);
    EXPECT_EQ(window->press_revision, press_revision);
    INPUT plain[2] = {mouse_input(MOUSEEVENTF_LEFTDOWN, 0), mouse_input(MOUSEEVENTF_LEFTUP, 0)};
    SendInput(2, plain, sizeof(INPUT));
    drain_for(100);
    EXPECT_GT(window->press_revision, press_revision);
    EXPECT_EQ(window->press_client_x, 200);
    EXPECT_EQ(window->press_client_y, 300);
}

TEST_F(CanvasProcedure, SizeAndMoveMessagesFollowTheWindow) {
    RECT frame{0, 0, 640, 480};
    AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_APPWINDOW);
    SetWindowPos(window->hwnd, nullptr, 150, 160, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER);
    EXPECT_EQ(window->client_width, 640);
    EXPECT_EQ(window->client_height, 480);
    const POINT origin = client_origin();
    EXPECT_EQ(window->window_x, origin.x);
    EXPECT_EQ(window->window_y, origin.y);
    // The resize repaint leaves the background in the back buffer.
    unsigned char pixel[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[0], 10);
    EXPECT_EQ(pixel[1], 11);
    EXPECT_EQ(pixel[2], 13);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);

    EXPECT_EQ(send(WM_SIZE, SIZE_MINIMIZED, 0), 0);
    EXPECT_TRUE(window->minimized);
    EXPECT_EQ(window->client_width, 1);
    EXPECT_EQ(window->client_height, 1);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1);
    EXPECT_EQ(viewport[3], 1);
    EXPECT_EQ(send(WM_MOVE, 0, MAKELPARAM(-300, -20)), 0);
    EXPECT_EQ(window->window_x, -300);
    EXPECT_EQ(window->window_y, -20);

    ShowWindow(window->hwnd, SW_MINIMIZE);
    EXPECT_TRUE(window->minimized);
    ShowWindow(window->hwnd, SW_RESTORE);
    EXPECT_FALSE(window->minimized);
    EXPECT_EQ(window->client_width, 640);
}

TEST_F(CanvasProcedure, ShowAndCloseMessages) {
    EXPECT_EQ(send(WM_ERASEBKGND, 0, 0), 1);
    EXPECT_EQ(send(WM_SHOWWINDOW, FALSE, 0), 0);
    EXPECT_FALSE(window->visible);
    EXPECT_EQ(send(WM_SHOWWINDOW, TRUE, 0), 0);
    EXPECT_TRUE(window->visible);
    send(WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(send(WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(window->close_requested);
    EXPECT_FALSE(window->open);
    EXPECT_FALSE(window->visible);
    EXPECT_EQ(window->press_counters[VK_SPACE], 0);
    EXPECT_TRUE(IsWindow(window->hwnd));
    EXPECT_FALSE(IsWindowVisible(window->hwnd));
    EXPECT_EQ(active_window(), nullptr);
}

// A drop handle as the shell makes it: DROPFILES, then wide names, each
// NUL-terminated, and one more NUL.
HDROP make_drop(const std::vector<std::wstring>& paths) {
    std::size_t units = 1;
    for (const std::wstring& path : paths) {
        units += path.size() + 1;
    }
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DROPFILES) + units * 2);
    auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* names = reinterpret_cast<wchar_t*>(header + 1);
    for (const std::wstring& path : paths) {
        std::memcpy(names, path.c_str(), (path.size() + 1) * 2);
        names += path.size() + 1;
    }
    GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST_F(CanvasProcedure, DroppedFilesAreRecorded) {
    EXPECT_EQ(
        send(WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({L"C:\\dye\\caf\u00e9.txt"})), 0), 0);
    EXPECT_EQ(window->last_event_kind, event_file_drop);
    EXPECT_EQ(window->event_code, 1);
    EXPECT_EQ(window->event_value, 1);
    EXPECT_EQ(window->dropped_path, "C:\\dye\\caf\xC3\xA9.txt");

    send(WM_DROPFILES, reinterpret_cast<WPARAM>(make_drop({L"C:\\a.txt", L"C:\\b.txt"})), 0);
    EXPECT_EQ(window->event_code, 0);
    EXPECT_EQ(window->event_value, 2);
    EXPECT_EQ(window->dropped_path, "");
    EXPECT_EQ(window->state_revision, window->event_revision);
}

TEST_F(CanvasProcedure, DestructionByTheSystemClearsTheHandles) {
    HWND hwnd = window->hwnd;
    ASSERT_EQ(wglGetCurrentContext(), window->hglrc);
    DestroyWindow(hwnd);
    EXPECT_EQ(window->hwnd, nullptr);
    EXPECT_EQ(window->hdc, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    EXPECT_NE(window->hglrc, nullptr);  // released by closing
    EXPECT_FALSE(window->open);
    EXPECT_FALSE(window->visible);
    EXPECT_FALSE(window->focused);
    EXPECT_EQ(find_window_by_handle(hwnd), nullptr);
}

TEST_F(CanvasProcedure, OneDrainDispatchesAtMost32Messages) {
    for (int i = 0; i < 40; ++i) {
        PostMessageW(window->hwnd, WM_KEYDOWN, VK_F5, 1);
    }
    drain_window_messages();
    EXPECT_EQ(window->press_counters[VK_F5], 32);
    drain_window_messages();
    EXPECT_EQ(window->press_counters[VK_F5], 40);
}

INPUT key_input(WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    return input;
}

TEST_F(CanvasProcedure, RealKeyPressesQueueAndTypeText) {
    ASSERT_EQ(GetForegroundWindow(), window->hwnd);
    INPUT keys[2] = {key_input('A', 0), key_input('A', KEYEVENTF_KEYUP)};
    SendInput(2, keys, sizeof(INPUT));
    drain_for(100);
    EXPECT_EQ(window->press_counters['A'], 1);
    EXPECT_EQ(window->text_input, "a");
    EXPECT_EQ(window->last_event_kind, event_key_up);
}

TEST_F(CanvasProcedure, AltF4DoesNotCloseTheWindow) {
    INPUT keys[4] = {key_input(VK_MENU, 0), key_input(VK_F4, 0), key_input(VK_F4, KEYEVENTF_KEYUP),
                     key_input(VK_MENU, KEYEVENTF_KEYUP)};
    SendInput(4, keys, sizeof(INPUT));
    drain_for(200);
    EXPECT_TRUE(window->open);
    EXPECT_FALSE(window->close_requested);
    EXPECT_TRUE(IsWindowVisible(window->hwnd));
    EXPECT_EQ(window->press_counters[VK_F4], 1);
    EXPECT_EQ(window->modifier_mask, 0);
}

TEST_F(CanvasProcedure, WindowsWithoutARecordAreLeftAlone) {
    HWND bare = CreateWindowExW(0, L"tamo_window_input_canvas_window", L"", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(bare, nullptr);
    const std::int64_t sequence = window_registry_instance().sequence;
    EXPECT_EQ(SendMessageW(bare, WM_KEYDOWN, 'A', 1), 0);
    EXPECT_EQ(SendMessageW(bare, WM_CHAR, 'a', 0), 0);
    EXPECT_EQ(SendMessageW(bare, WM_UNICHAR, UNICODE_NOCHAR, 0), 1);
    EXPECT_EQ(SendMessageW(bare, WM_ERASEBKGND, 0, 0), 1);
    EXPECT_EQ(SendMessageW(bare, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(bare));
    EXPECT_EQ(window_registry_instance().sequence, sequence);
    EXPECT_EQ(window->press_counters['A'], 0);
    DestroyWindow(bare);
}

TEST_F(CanvasProcedure, AnExceptionInAHandlerTakesTheDefaultHandling) {
    platform().GetMessageExtraInfo = []() -> LPARAM { throw std::runtime_error("broken"); };
    EXPECT_EQ(send(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1)), 0);
    EXPECT_TRUE(window->open);
}

}  // namespace
}  // namespace tamo
