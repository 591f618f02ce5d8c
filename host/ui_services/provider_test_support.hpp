#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "host/ui_services/display_record.hpp"
#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_descriptor.hpp"
#include "host/ui_services/provider_fields.hpp"

namespace tamo::testing {

constexpr std::int32_t owner = 7;
constexpr std::int32_t foreign = 8;

// Accepted contract, name "p" and every capability offered.
provider_descriptor full_descriptor();

// Same contract and name without any capability.
provider_descriptor bare_descriptor();

// An 800 x 600 display at (x, 0) with a work area 40 pixels shorter.
display_record display(const std::string& id, std::int32_t x, bool primary);

// A provider owned by thread 7, initialised at time 100 with correlation 5.
native_ui_host_provider ready_provider(const provider_descriptor& descriptor = full_descriptor());

// A provider owned by thread 7 brought the ordinary way into one of the
// states "new", "ready", "unavailable", "failed", "lost" or "torn-down".
native_ui_host_provider provider_in_state(const std::string& state);

// A reject that claims success; refusals must stay refusals all the same.
class approving_reject_provider : public native_ui_host_provider {
  public:
    using native_ui_host_provider::native_ui_host_provider;

    bool reject(const std::string& operation, const std::string& reason) override {
        native_ui_host_provider::reject(operation, reason);
        return true;
    }
};

// Calls before_record, when set, just before each host-event record is
// written, so a test sees the fields as they stand at that moment.
class observed_provider : public native_ui_host_provider {
  public:
    using native_ui_host_provider::native_ui_host_provider;

    void record_host_event(const std::string& category, const std::string& subject,
                           const std::string& event_state, const std::string& detail,
                           std::int32_t time, std::int32_t correlation,
                           std::int32_t latency) override;

    std::function<void(const std::string& event_state, const std::string& subject)> before_record;
};

// Runs the call and checks that it was refused with the diagnostic given:
// the result is false ("" for a text), failures rose by one and nothing
// else changed.
template <typename Call>
void expect_refused(native_ui_host_provider& provider, const std::string& diagnostic, Call&& call) {
    const std::vector<std::string> before = fields_besides_refusal(provider);
    const std::int32_t failures_before = provider.failures;
    const auto result = call();
    if constexpr (std::is_same_v<std::decay_t<decltype(result)>, std::string>) {
        EXPECT_EQ(result, "");
    } else {
        EXPECT_FALSE(result);
    }
    EXPECT_EQ(provider.diagnostic, diagnostic);
    EXPECT_EQ(provider.failures, failures_before + 1);
    EXPECT_EQ(fields_besides_refusal(provider), before);
}

}  // namespace tamo::testing
