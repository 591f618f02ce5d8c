#include <string>
#include <string_view>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_counting.hpp"
#include "host/ui_services/restore_on_throw.hpp"
#include "runtime/text_format.hpp"

namespace tamo {

namespace {

constexpr const char* accepted_contract = "tamo.native-ui-host-capabilities.v1";

struct capability_flag {
    std::string_view name;
    bool native_ui_host_provider::*flag;
};

constexpr capability_flag capability_flags[] = {
    {"accessibility", &native_ui_host_provider::accessibility},
    {"text-input", &native_ui_host_provider::text_input},
    {"clipboard", &native_ui_host_provider::clipboard},
    {"display-topology", &native_ui_host_provider::display_topology},
    {"session-lifecycle", &native_ui_host_provider::session_lifecycle},
    {"virtual-keyboard", &native_ui_host_provider::virtual_keyboard},
    {"delayed-clipboard", &native_ui_host_provider::delayed_clipboard},
};

}  // namespace

native_ui_host_provider::native_ui_host_provider(const provider_descriptor& descriptor,
                                                 std::int32_t owner_thread)
    : provider_name(descriptor.provider_name),
      capability_contract(descriptor.capability_contract),
      contract_version(descriptor.contract_version),
      owner_thread(owner_thread),
      accessibility(descriptor.accessibility),
      text_input(descriptor.text_input),
      clipboard(descriptor.clipboard),
      display_topology(descriptor.display_topology),
      session_lifecycle(descriptor.session_lifecycle),
      virtual_keyboard(descriptor.virtual_keyboard),
      delayed_clipboard(descriptor.delayed_clipboard) {}

native_ui_host_provider::~native_ui_host_provider() = default;

bool native_ui_host_provider::reject(const std::string& operation, const std::string& reason) {
    diagnostic = format_message("host.ui_services {0} rejected: {1}", {operation, reason});
    failures = saturating_add(failures, 1);
    return false;
}

bool native_ui_host_provider::has_capability(const std::string& capability) const {
    for (const capability_flag& entry : capability_flags) {
        if (capability == entry.name) {
            return this->*entry.flag;
        }
    }
    return false;
}

bool native_ui_host_provider::require_capability(std::int32_t thread,
                                                 const std::string& capability) {
    if (state != "ready") {
        reject(capability, format_message("provider-state={0}", {state}));
        return false;
    }
    if (thread != owner_thread) {
        reject(capability, format_message("wrong-thread expected={0} actual={1}",
                                          {std::to_string(owner_thread), std::to_string(thread)}));
        return false;
    }
    if (!has_capability(capability)) {
        reject(capability, "capability-unavailable-before-effect");
        return false;
    }
    return true;
}

bool native_ui_host_provider::initialize(bool available, bool publication_fails,
                                         std::int32_t thread, std::int32_t time,
                                         std::int32_t correlation) {
    if (state != "new" || thread != owner_thread) {
        reject("initialize", "invalid-state-or-thread");
        return false;
    }
    if (capability_contract != accepted_contract || contract_version != 1 ||
        provider_name.empty()) {
        state = "unavailable";
        reject("initialize", "incompatible-capability-contract");
        return false;
    }
    if (!available) {
        state = "unavailable";
        reject("initialize", "provider-unavailable");
        return false;
    }
    // Left "new" when the record of the outcome cannot be written.
    restore_on_throw<std::string> uninitialized(state);
    state = "initializing";
    if (publication_fails) {
        state = "failed";
        record_host_event("provider", provider_name, "partial-initialization-cleaned",
                          "capabilities-created-services-not-published", time, correlation, 0);
        uninitialized.keep();
        reject("initialize", "partial-initialization");
        return false;
    }
    state = "ready";
    record_host_event("provider", provider_name, "ready", "owner-thread-bound", time, correlation,
                      0);
    diagnostic = "ok";
    return true;
}

bool native_ui_host_provider::provider_loss(const std::string& reason, std::int32_t thread,
                                            std::int32_t time, std::int32_t correlation) {
    if (state != "ready" || thread != owner_thread) {
        reject("provider-loss", "invalid-state-or-thread");
        return false;
    }
    // Copied before the clipboard is cleared: the reason may be one of its fields.
    const std::string recorded_reason = reason;
    composition_active = false;
    keyboard_visible = false;
    clipboard_owner.clear();
    clipboard_data.clear();
    clipboard_delayed = false;
    record_host_event("provider", provider_name, "lost", recorded_reason, time, correlation, 1);
    state = "lost";
    return true;
}

bool native_ui_host_provider::teardown(std::int32_t thread, std::int32_t time,
                                       std::int32_t correlation) {
    if (thread != owner_thread) {
        reject("teardown", "wrong-thread");
        return false;
    }
    if (state == "torn-down") {
        return true;
    }
    if (state == "new" || state == "initializing") {
        reject("teardown", format_message("invalid-state={0}", {state}));
        return false;
    }
    // Recorded while the old state still stands.
    record_host_event("provider", provider_name, "torn-down",
                      "queues-quiesced-identities-invalidated", time, correlation, 1);
    state = "torn-down";
    action_guard = false;
    composition_active = false;
    batch_open = 0;
    return true;
}

}  // namespace tamo
