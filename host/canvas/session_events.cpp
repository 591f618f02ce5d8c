#include "host/canvas/session_events.hpp"

namespace tamo {
namespace {

std::int64_t focused(const canvas_window* window) {
    return window && window->focused ? 1 : 0;
}

std::int64_t power_keeps_host_active(const canvas_window* window, WPARAM event) {
    switch (event) {
        case PBT_APMRESUMESUSPEND:
        case PBT_APMRESUMEAUTOMATIC:
            return 1;
        case PBT_APMSUSPEND:
            return 0;
        default:
            return focused(window);
    }
}

std::int64_t session_keeps_host_active(const canvas_window* window, WPARAM event) {
    switch (event) {
        case WTS_SESSION_LOGOFF:
        case WTS_SESSION_LOCK:
            return 0;
        case WTS_SESSION_LOGON:
        case WTS_SESSION_UNLOCK:
            return 1;
        default:
            return focused(window);
    }
}

void store(const canvas_window* window, session_event_kind kind, std::int64_t value,
           std::int64_t active) {
    ++session_events.session_event_count;
    session_events.session_kind = kind;
    session_events.session_value = value;
    session_events.session_window_id = window ? window->id : 0;
    session_events.session_active = active;
}

}  // namespace

LRESULT record_session_event(const canvas_window* window, UINT message, WPARAM wparam,
                             LPARAM lparam) {
    const auto value = static_cast<std::int64_t>(wparam);
    switch (message) {
        case WM_ACTIVATEAPP:
            store(window, session_activate_app, value, wparam != 0);
            return 0;
        case WM_POWERBROADCAST:
            store(window, session_power_broadcast, value, power_keeps_host_active(window, wparam));
            return 1;
        case WM_WTSSESSION_CHANGE:
            store(window, session_change, value, session_keeps_host_active(window, wparam));
            return 0;
        case WM_QUERYENDSESSION:
            store(window, session_query_end, lparam, 0);
            return 1;
        default:  // WM_ENDSESSION
            store(window, session_end, value, wparam == 0);
            return 0;
    }
}

}  // namespace tamo
