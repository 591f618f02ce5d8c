#pragma once

#include <cstdint>

#include "host/canvas/window_record.hpp"

namespace tamo {

enum session_event_kind : std::int64_t {
    session_activate_app = 1,
    session_power_broadcast = 2,
    session_change = 3,
    session_query_end = 4,
    session_end = 5,
};

// The last session, power or activation notification.
struct session_event_record {
    std::int64_t session_event_count = 0;
    std::int64_t session_kind = 0;
    std::int64_t session_value = 0;
    std::int64_t session_window_id = 0;
    std::int64_t session_active = 0;  // the host stays interactive after it
};

inline session_event_record session_events;

// Records a notification (window may be null) and answers the message's
// result.
LRESULT record_session_event(const canvas_window* window, UINT message, WPARAM wparam,
                             LPARAM lparam);

}  // namespace tamo
