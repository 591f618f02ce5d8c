#include "host/ui_services/provider_test_support.hpp"

#include <string>

namespace tamo::testing {

provider_descriptor full_descriptor() {
    provider_descriptor descriptor = bare_descriptor();
    descriptor.accessibility = true;
    descriptor.text_input = true;
    descriptor.clipboard = true;
    descriptor.display_topology = true;
    descriptor.session_lifecycle = true;
    descriptor.virtual_keyboard = true;
    descriptor.delayed_clipboard = true;
    return descriptor;
}

provider_descriptor bare_descriptor() {
    provider_descriptor descriptor;
    descriptor.capability_contract = "tamo.native-ui-host-capabilities.v1";
    descriptor.contract_version = 1;
    descriptor.provider_name = "p";
    return descriptor;
}

display_record display(const std::string& id, std::int32_t x, bool primary) {
    return {id, x, 0, 800, 600, x, 0, 800, 560, 100, primary};
}

void observed_provider::record_host_event(const std::string& category, const std::string& subject,
                                          const std::string& event_state, const std::string& detail,
                                          std::int32_t time, std::int32_t correlation,
                                          std::int32_t latency) {
    if (before_record) {
        before_record(event_state, subject);
    }
    native_ui_host_provider::record_host_event(category, subject, event_state, detail, time,
                                               correlation, latency);
}

native_ui_host_provider ready_provider(const provider_descriptor& descriptor) {
    native_ui_host_provider provider(descriptor, owner);
    EXPECT_TRUE(provider.initialize(true, false, owner, 100, 5));
    return provider;
}

native_ui_host_provider provider_in_state(const std::string& state) {
    provider_descriptor descriptor = full_descriptor();
    if (state == "unavailable") {
        descriptor.contract_version = 2;
    }
    native_ui_host_provider provider(descriptor, owner);
    if (state != "new") {
        provider.initialize(true, state == "failed", owner, 100, 5);
    }
    if (state == "lost") {
        provider.provider_loss("gone", owner, 110, 6);
    }
    if (state == "torn-down") {
        provider.teardown(owner, 110, 6);
    }
    EXPECT_EQ(provider.state, state);
    return provider;
}

}  // namespace tamo::testing
