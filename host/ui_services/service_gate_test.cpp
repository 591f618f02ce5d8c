#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_test_support.hpp"

namespace tamo {
namespace {

using testing::approving_reject_provider;
using testing::bare_descriptor;
using testing::expect_refused;
using testing::foreign;
using testing::full_descriptor;
using testing::owner;

// One service request, made with the thread id given.
struct service_call {
    const char* operation;
    const char* capability;
    std::function<bool(native_ui_host_provider&, std::int32_t thread)> call;
};

const std::vector<service_call>& service_calls() {
    static const std::vector<service_call> calls = {
        {"accessibility_batch_begin", "accessibility",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.accessibility_batch_begin(thread, 1, 1);
         }},
        {"accessibility_update", "accessibility",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.accessibility_update("save", 1, "button", "Save", thread);
         }},
        {"accessibility_batch_commit", "accessibility",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.accessibility_batch_commit(thread, 1, 1);
         }},
        {"accessibility_action", "accessibility",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.accessibility_action("save", 1, "invoke", false, thread, 1, 1);
         }},
        {"text_input_begin", "text-input",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.text_input_begin("w", "abc", 0, 3, 0, 3, 10, 20, 2, 16, 10, 36, "text",
                                       "none", false, true, thread, 1, 1);
         }},
        {"surrounding_text_update", "text-input",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.surrounding_text_update("w", "t", 0, 0, 0, 0, thread, 1, 1);
         }},
        {"text_input_commit", "text-input",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.text_input_commit("w", "ab", 1, 2, thread, 1, 1);
         }},
        {"text_input_cancel", "text-input",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.text_input_cancel("w", "escape", thread, 1, 1);
         }},
        {"text_focus_transfer", "text-input",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.text_focus_transfer("w", "v", thread, 1, 1);
         }},
        {"virtual_keyboard_update", "virtual-keyboard",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.virtual_keyboard_update(true, true, "docked", thread, 1, 1);
         }},
        {"clipboard_set", "clipboard",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.clipboard_set("w1", "text/plain;charset=utf-8", "hi", false, true, thread, 1,
                                    1);
         }},
        {"clipboard_materialize", "clipboard",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.clipboard_materialize("w1", "hi", true, thread, 1, 1);
         }},
        // A refused read gives "", so any other text means it was served.
        {"clipboard_read", "clipboard",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.clipboard_read("", true, thread, 1, 1) != "";
         }},
        {"display_publish", "display-topology",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.display_publish({"d1", 0, 0, 800, 600, 0, 0, 800, 560, 100, true}, thread);
         }},
        {"display_topology_commit", "display-topology",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.display_topology_commit(thread, 1, 1);
         }},
        {"session_transition", "session-lifecycle",
         [](native_ui_host_provider& p, std::int32_t thread) {
             return p.session_transition(true, "lock-screen", thread, 1, 1);
         }},
    };
    return calls;
}

std::string refusal(const service_call& service, const std::string& reason) {
    return std::string("host.ui_services ") + service.capability + " rejected: " + reason;
}

// A provider in each state that serves nothing, reached the ordinary way;
// "unavailable" both for a refused contract and for a missing platform.
std::vector<native_ui_host_provider> providers_not_ready() {
    std::vector<native_ui_host_provider> providers;
    for (const char* state : {"new", "unavailable", "failed", "lost", "torn-down"}) {
        providers.push_back(testing::provider_in_state(state));
    }
    providers.emplace_back(full_descriptor(), owner);
    providers.back().initialize(false, false, owner, 1, 1);
    return providers;
}

TEST(ServiceGate, EveryServiceIsRefusedInEveryStateButReady) {
    for (native_ui_host_provider& provider : providers_not_ready()) {
        for (const service_call& service : service_calls()) {
            SCOPED_TRACE(std::string(service.operation) + " in " + provider.state);
            expect_refused(provider, refusal(service, "provider-state=" + provider.state),
                           [&] { return service.call(provider, owner); });
        }
    }
}

TEST(ServiceGate, WindowEventsAreRefusedInEveryStateButReady) {
    for (native_ui_host_provider& provider : providers_not_ready()) {
        SCOPED_TRACE(provider.state);
        expect_refused(provider,
                       "host.ui_services window-event rejected: invalid-state-thread-or-window",
                       [&] { return provider.window_event("w", "resize", 1, 1, owner); });
    }
}

TEST(ServiceGate, StateIsCheckedBeforeThreadAndCapability) {
    for (const service_call& service : service_calls()) {
        SCOPED_TRACE(service.operation);
        native_ui_host_provider provider(bare_descriptor(), owner);
        expect_refused(provider, refusal(service, "provider-state=new"),
                       [&] { return service.call(provider, foreign); });
    }
}

TEST(ServiceGate, ThreadIsCheckedBeforeCapability) {
    for (const service_call& service : service_calls()) {
        SCOPED_TRACE(service.operation);
        native_ui_host_provider provider = testing::ready_provider(bare_descriptor());
        expect_refused(provider, refusal(service, "wrong-thread expected=7 actual=8"),
                       [&] { return service.call(provider, foreign); });
        expect_refused(provider, refusal(service, "capability-unavailable-before-effect"),
                       [&] { return service.call(provider, owner); });
    }
}

TEST(ServiceGate, WrongThreadReportsExtremeIds) {
    constexpr std::int32_t lowest = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t highest = std::numeric_limits<std::int32_t>::max();
    for (const service_call& service : service_calls()) {
        SCOPED_TRACE(service.operation);
        native_ui_host_provider provider(full_descriptor(), lowest);
        ASSERT_TRUE(provider.initialize(true, false, lowest, 1, 1));
        expect_refused(provider,
                       refusal(service, "wrong-thread expected=-2147483648 actual=2147483647"),
                       [&] { return service.call(provider, highest); });
    }
}

TEST(ServiceGate, GateRefusalsStayRefusedWhateverRejectReturns) {
    for (const service_call& service : service_calls()) {
        SCOPED_TRACE(service.operation);
        approving_reject_provider provider(full_descriptor(), owner);
        expect_refused(provider, refusal(service, "provider-state=new"),
                       [&] { return service.call(provider, owner); });
    }
}

// A capability check replaced by a derived provider decides the gate.
class everything_offered_provider : public native_ui_host_provider {
  public:
    using native_ui_host_provider::native_ui_host_provider;
    bool has_capability(const std::string&) const override { return true; }
};

TEST(ServiceGate, GateAsksTheCapabilityCheckOfTheProvider) {
    everything_offered_provider provider(bare_descriptor(), owner);
    ASSERT_TRUE(provider.initialize(true, false, owner, 100, 5));
    EXPECT_TRUE(provider.session_transition(true, "lock-screen", owner, 110, 6));
    EXPECT_TRUE(provider.virtual_keyboard_update(true, false, "docked", owner, 120, 7));
    EXPECT_EQ(provider.failures, 0);
}

// A request that passes the gate and fails the operation's own check.
struct own_check_refusal {
    const char* diagnostic;
    std::function<bool(native_ui_host_provider&)> call;
};

TEST(ServiceGate, OwnCheckRefusalsStayRefusedWhateverRejectReturns) {
    const std::vector<own_check_refusal> refusals = {
        {"host.ui_services accessibility-batch rejected: no-active-batch",
         [](native_ui_host_provider& p) { return p.accessibility_batch_commit(owner, 1, 1); }},
        {"host.ui_services accessibility-update rejected: invalid-batch-node-role-or-name",
         [](native_ui_host_provider& p) {
             return p.accessibility_update("save", 1, "button", "Save", owner);
         }},
        {"host.ui_services accessibility-action rejected: stale-or-missing-node-identity",
         [](native_ui_host_provider& p) {
             return p.accessibility_action("save", 1, "invoke", false, owner, 1, 1);
         }},
        {"host.ui_services text-input-begin rejected: invalid-window-range-or-geometry",
         [](native_ui_host_provider& p) {
             return p.text_input_begin("", "abc", 0, 3, 0, 3, 10, 20, 2, 16, 10, 36, "text", "none",
                                       false, true, owner, 1, 1);
         }},
        {"host.ui_services text-input-cancel rejected: inactive-or-stale-window",
         [](native_ui_host_provider& p) { return p.text_input_cancel("w", "r", owner, 1, 1); }},
        {"host.ui_services text-focus-transfer rejected: invalid-source-or-destination",
         [](native_ui_host_provider& p) { return p.text_focus_transfer("w", "", owner, 1, 1); }},
        {"host.ui_services clipboard-read rejected: permission-format-or-delayed-data",
         [](native_ui_host_provider& p) { return p.clipboard_read("", false, owner, 1, 1) != ""; }},
        {"host.ui_services display-topology rejected: no-displays",
         [](native_ui_host_provider& p) { return p.display_topology_commit(owner, 1, 1); }},
        {"host.ui_services display-publish rejected: invalid-display-geometry",
         [](native_ui_host_provider& p) { return p.display_publish({}, owner); }},
        {"host.ui_services session-transition rejected: duplicate-state=active",
         [](native_ui_host_provider& p) { return p.session_transition(false, "d", owner, 1, 1); }},
        {"host.ui_services window-event rejected: invalid-state-thread-or-window",
         [](native_ui_host_provider& p) { return p.window_event("", "resize", 1, 1, owner); }},
    };
    for (const own_check_refusal& refused : refusals) {
        SCOPED_TRACE(refused.diagnostic);
        approving_reject_provider provider(full_descriptor(), owner);
        ASSERT_TRUE(provider.initialize(true, false, owner, 100, 5));
        expect_refused(provider, refused.diagnostic, [&] { return refused.call(provider); });
    }
}

}  // namespace
}  // namespace tamo
