#include "host/canvas/pointer_input.hpp"

#include <gtest/gtest.h>

#include <vector>

#include "host/canvas/canvas_test_support.hpp"
#include "host/canvas/window_procedure.hpp"

namespace tamo {
namespace {

// The system under test cannot produce touch or pen input: the pointer type,
// pen information and touch points come through the call table.
POINTER_INPUT_TYPE answered_type = PT_MOUSE;
BOOL type_answer = TRUE;
POINTER_PEN_INFO answered_pen{};
BOOL pen_answer = FALSE;
std::vector<TOUCHINPUT> answered_touches;
BOOL touches_answer = TRUE;
int touch_handles_closed = 0;

class CanvasPointerInput : public canvas_window_test {
  protected:
    void SetUp() override {
        canvas_window_test::SetUp();
        origin = client_origin();
        type_answer = TRUE;
        pen_answer = FALSE;
        touches_answer = TRUE;
        touch_handles_closed = 0;
        auto& calls = platform();
        calls.GetPointerType = [](UINT32, POINTER_INPUT_TYPE* type) -> BOOL {
            *type = answered_type;
            return type_answer;
        };
        calls.GetPointerPenInfo = [](UINT32, POINTER_PEN_INFO* pen) -> BOOL {
            *pen = answered_pen;
            return pen_answer;
        };
        calls.GetTouchInputInfo = [](HTOUCHINPUT, UINT count, PTOUCHINPUT entries,
                                     int size) -> BOOL {
            EXPECT_EQ(size, static_cast<int>(sizeof(TOUCHINPUT)));
            for (UINT i = 0; i < count && i < answered_touches.size(); ++i) {
                entries[i] = answered_touches[i];
            }
            return touches_answer;
        };
        calls.CloseTouchInputHandle = [](HTOUCHINPUT) -> BOOL {
            ++touch_handles_closed;
            return TRUE;
        };
    }

    LPARAM screen_point(int x, int y) const { return MAKELPARAM(origin.x + x, origin.y + y); }

    POINT origin{};
};

struct pointer_case {
    const char* name;
    UINT message;
    POINTER_INPUT_TYPE type;
    bool pen_info;
    UINT32 pen_pressure;
    std::int64_t kind;
    std::int64_t device;
    std::int64_t pressure;
};

const pointer_case pointer_cases[] = {
    {"mouse down", WM_POINTERDOWN, PT_MOUSE, false, 0, event_pointer_down, device_mouse, 1000},
    {"touch move", WM_POINTERUPDATE, PT_TOUCH, false, 0, event_pointer_move, device_touch, 0},
    {"touch up", WM_POINTERUP, PT_TOUCH, false, 0, event_pointer_up, device_touch, 0},
    {"pen down without pressure", WM_POINTERDOWN, PT_PEN, false, 0, event_pointer_down, device_pen,
     1000},
    {"pen move without pressure", WM_POINTERUPDATE, PT_PEN, false, 0, event_pointer_move,
     device_pen, 0},
    {"pen half pressure", WM_POINTERUPDATE, PT_PEN, true, 512, event_pointer_move, device_pen, 500},
    {"pen full pressure", WM_POINTERDOWN, PT_PEN, true, 1024, event_pointer_down, device_pen, 1000},
    {"pen pressure beyond range", WM_POINTERUP, PT_PEN, true, 5000, event_pointer_up, device_pen,
     1000},
    {"pen lightest touch", WM_POINTERUPDATE, PT_PEN, true, 1, event_pointer_move, device_pen, 0},
    {"pen pressure whose thousandfold passes 32 bits", WM_POINTERUPDATE, PT_PEN, true, 4294968,
     event_pointer_move, device_pen, 1000},
};

TEST_F(CanvasPointerInput, PointerMessagesRecordDeviceAndPressure) {
    for (const pointer_case& c : pointer_cases) {
        SCOPED_TRACE(c.name);
        answered_type = c.type;
        pen_answer = c.pen_info;
        answered_pen = {};
        answered_pen.penMask = c.pen_info ? PEN_MASK_PRESSURE : 0;
        answered_pen.pressure = c.pen_pressure;
        const WPARAM wparam = (std::uint32_t{0x0003} << 16) | 7;  // flags, pointer id 7
        EXPECT_EQ(send(c.message, wparam, screen_point(25, 35)), 0);
        EXPECT_EQ(window->last_event_kind, c.kind);
        EXPECT_EQ(window->pointer_id, 7);
        EXPECT_EQ(window->pointer_device, c.device);
        EXPECT_EQ(window->pointer_pressure, c.pressure);
        EXPECT_EQ(window->pointer_buttons, 3);
        EXPECT_EQ(window->pointer_client_x, 25);
        EXPECT_EQ(window->pointer_client_y, 35);
        EXPECT_EQ(window->pointer_message_x, origin.x + 25);
        if (c.kind == event_pointer_down) {
            EXPECT_EQ(window->press_device, c.device);
            EXPECT_EQ(window->press_pressure, c.pressure);
            EXPECT_EQ(window->press_revision, window->input_revision);
        }
    }
}

TEST_F(CanvasPointerInput, UnknownPointersAndFailedLookUpsRecordNothing) {
    const std::int64_t revision = window->input_revision;
    type_answer = FALSE;
    EXPECT_EQ(send(WM_POINTERDOWN, 1, screen_point(1, 1)), 0);
    type_answer = TRUE;
    answered_type = PT_TOUCHPAD;
    EXPECT_EQ(send(WM_POINTERDOWN, 1, screen_point(1, 1)), 0);
    EXPECT_EQ(window->input_revision, revision);
}

// Wine does not export GetPointerPenInfo; the table's default looks it up at
// run time and answers as a failed call instead of aborting.
TEST_F(CanvasPointerInput, AMissingPenInformationFunctionIsAFailedCall) {
    POINTER_PEN_INFO pen{};
    const BOOL answered = platform_calls{}.GetPointerPenInfo(1, &pen);
    if (!GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetPointerPenInfo")) {
        EXPECT_FALSE(answered);
    }
}

TOUCHINPUT touch_point(LONG x, LONG y, DWORD id, DWORD flags) {
    TOUCHINPUT point{};
    point.x = x;
    point.y = y;
    point.dwID = id;
    point.dwFlags = flags;
    return point;
}

TEST_F(CanvasPointerInput, TouchPointsAreRecordedInOrder) {
    const LONG x = (origin.x + 40) * 100 + 99;  // hundredths of a pixel
    const LONG y = (origin.y + 50) * 100;
    answered_touches = {touch_point(x, y, 11, TOUCHEVENTF_DOWN | TOUCHEVENTF_PRIMARY),
                        touch_point(x + 100, y, 12, TOUCHEVENTF_MOVE)};
    EXPECT_EQ(send(WM_TOUCH, 2, 0x1234), 0);
    EXPECT_EQ(window->touch_count, 2);
    EXPECT_EQ(touch_handles_closed, 1);
    EXPECT_EQ(window->last_event_kind, event_pointer_move);
    EXPECT_EQ(window->pointer_id, 12);
    EXPECT_EQ(window->pointer_device, device_touch);
    EXPECT_EQ(window->pointer_client_x, 41);
    EXPECT_EQ(window->pointer_client_y, 50);
    EXPECT_EQ(window->pointer_message_x, origin.x + 41);
    EXPECT_EQ(window->pointer_pressure, 0);
    EXPECT_EQ(window->pointer_contact, 0);
    // The first point was a press.
    EXPECT_EQ(window->press_pointer_id, 11);
    EXPECT_EQ(window->press_device, device_touch);
    EXPECT_EQ(window->press_client_x, 40);
    EXPECT_EQ(window->press_pressure, 1000);
    EXPECT_EQ(window->press_contact, 1);

    answered_touches = {touch_point(x, y, 11, TOUCHEVENTF_UP)};
    send(WM_TOUCH, 1, 0x1234);
    EXPECT_EQ(window->last_event_kind, event_pointer_up);
    EXPECT_EQ(window->pointer_buttons, 0);
    EXPECT_EQ(window->touch_count, 3);
}

TEST_F(CanvasPointerInput, AnUnreadableTouchMessageOnlyClosesItsHandle) {
    touches_answer = FALSE;
    answered_touches = {touch_point(0, 0, 1, TOUCHEVENTF_DOWN)};
    EXPECT_EQ(send(WM_TOUCH, 1, 0x99), 0);
    EXPECT_EQ(send(WM_TOUCH, 0, 0x98), 0);
    EXPECT_EQ(window->touch_count, 0);
    EXPECT_EQ(touch_handles_closed, 2);
}

}  // namespace
}  // namespace tamo
