#include <string>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/restore_on_throw.hpp"
#include "runtime/text_format.hpp"

namespace tamo {

bool native_ui_host_provider::window_event(const std::string& window, const std::string& event_name,
                                           std::int32_t time, std::int32_t correlation,
                                           std::int32_t thread) {
    if (state != "ready" || thread != owner_thread || window.empty()) {
        reject("window-event", "invalid-state-thread-or-window");
        return false;
    }
    record_host_event("window", window, event_name, "correlated-window-runtime-event", time,
                      correlation, 0);
    return true;
}

bool native_ui_host_provider::session_transition(bool suspended, const std::string& detail,
                                                 std::int32_t thread, std::int32_t time,
                                                 std::int32_t correlation) {
    if (!require_capability(thread, "session-lifecycle")) {
        return false;
    }
    const std::string target = suspended ? "suspended" : "active";
    if (target == session) {
        reject("session-transition", format_message("duplicate-state={0}", {target}));
        return false;
    }
    // Copied before session changes: the detail may be that very field.
    const std::string recorded_detail = detail;
    const restore_on_throw<std::string> unmoved(session);
    session = target;
    record_host_event("session", "application", target, recorded_detail, time, correlation, 1);
    return true;
}

}  // namespace tamo
