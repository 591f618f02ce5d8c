#include "host/canvas/session_events.hpp"

#include <gtest/gtest.h>

#include "host/canvas/canvas_test_support.hpp"

namespace tamo {
namespace {

using CanvasSessionEvents = canvas_window_test;

struct session_case {
    const char* name;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
    bool focused;
    LRESULT result;
    std::int64_t kind;
    std::int64_t value;
    std::int64_t active;
};

const session_case session_cases[] = {
    {"app activated", WM_ACTIVATEAPP, 1, 0, false, 0, session_activate_app, 1, 1},
    {"app deactivated", WM_ACTIVATEAPP, 0, 0, true, 0, session_activate_app, 0, 0},
    {"suspend", WM_POWERBROADCAST, PBT_APMSUSPEND, 0, true, 1, session_power_broadcast, 4, 0},
    {"resume", WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, 0, false, 1, session_power_broadcast, 7, 1},
    {"automatic resume", WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0, false, 1,
     session_power_broadcast, 0x12, 1},
    {"power status, focused", WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0, true, 1,
     session_power_broadcast, 10, 1},
    {"power status, unfocused", WM_POWERBROADCAST, PBT_APMPOWERSTATUSCHANGE, 0, false, 1,
     session_power_broadcast, 10, 0},
    {"logoff", WM_WTSSESSION_CHANGE, WTS_SESSION_LOGOFF, 1, true, 0, session_change, 6, 0},
    {"lock", WM_WTSSESSION_CHANGE, WTS_SESSION_LOCK, 1, true, 0, session_change, 7, 0},
    {"logon", WM_WTSSESSION_CHANGE, WTS_SESSION_LOGON, 1, false, 0, session_change, 5, 1},
    {"unlock", WM_WTSSESSION_CHANGE, WTS_SESSION_UNLOCK, 1, false, 0, session_change, 8, 1},
    {"remote connect, focused", WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT, 1, true, 0,
     session_change, 3, 1},
    {"query end", WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, true, 1, session_query_end,
     ENDSESSION_LOGOFF, 0},
    {"session ends", WM_ENDSESSION, 1, 0, true, 0, session_end, 1, 0},
    {"session goes on", WM_ENDSESSION, 0, 0, false, 0, session_end, 0, 1},
};

TEST_F(CanvasSessionEvents, NotificationsAreRecorded) {
    std::int64_t count = session_events.session_event_count;  // the opening activated the app
    for (const session_case& c : session_cases) {
        SCOPED_TRACE(c.name);
        window->focused = c.focused;
        EXPECT_EQ(send(c.message, c.wparam, c.lparam), c.result);
        EXPECT_EQ(session_events.session_event_count, ++count);
        EXPECT_EQ(session_events.session_kind, c.kind);
        EXPECT_EQ(session_events.session_value, c.value);
        EXPECT_EQ(session_events.session_active, c.active);
        EXPECT_EQ(session_events.session_window_id, window->id);
    }
}

TEST_F(CanvasSessionEvents, AWindowWithoutRecordIsRecordedAsWindowZero) {
    HWND bare = CreateWindowExW(0, L"tamo_window_input_canvas_window", L"", WS_POPUP, 0, 0, 1, 1,
                                nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    EXPECT_EQ(SendMessageW(bare, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0), 1);
    EXPECT_EQ(session_events.session_window_id, 0);
    EXPECT_EQ(session_events.session_active, 1);
    EXPECT_EQ(SendMessageW(bare, WM_WTSSESSION_CHANGE, WTS_REMOTE_CONNECT, 0), 0);
    EXPECT_EQ(session_events.session_active, 0);
    DestroyWindow(bare);
}

}  // namespace
}  // namespace tamo
