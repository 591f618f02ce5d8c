#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
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
using testing::ready_provider;

TEST(ProviderCapabilities, NamesMatchExactlyAndFollowTheirOwnFlags) {
    struct capability_case {
        const char* name;
        bool provider_descriptor::*flag;
    };
    const std::vector<capability_case> cases = {
        {"accessibility", &provider_descriptor::accessibility},
        {"text-input", &provider_descriptor::text_input},
        {"clipboard", &provider_descriptor::clipboard},
        {"display-topology", &provider_descriptor::display_topology},
        {"session-lifecycle", &provider_descriptor::session_lifecycle},
        {"virtual-keyboard", &provider_descriptor::virtual_keyboard},
        {"delayed-clipboard", &provider_descriptor::delayed_clipboard},
    };
    for (const capability_case& offered : cases) {
        provider_descriptor descriptor;
        descriptor.*offered.flag = true;
        const native_ui_host_provider provider(descriptor, owner);
        for (const capability_case& asked : cases) {
            EXPECT_EQ(provider.has_capability(asked.name), asked.flag == offered.flag)
                << offered.name << " offered, " << asked.name << " asked";
        }
    }
    const native_ui_host_provider provider(full_descriptor(), owner);
    for (const char* name : {"Text-Input", " clipboard", "clipboard ", "", "window", "CLIPBOARD"}) {
        EXPECT_FALSE(provider.has_capability(name)) << '"' << name << '"';
    }
}

TEST(ProviderInitialize, ReadyWithOneRecord) {
    native_ui_host_provider provider(full_descriptor(), owner);
    EXPECT_TRUE(provider.initialize(true, false, owner, 100, 5));
    EXPECT_EQ(provider.state, "ready");
    ASSERT_EQ(provider.host_events.size(), 1u);
    EXPECT_EQ(provider.event_at(0),
              "host-event 1: time=100; correlation=5; category=provider; subject=p; state=ready; "
              "detail=owner-thread-bound");
    EXPECT_EQ(provider.allocations, 1);
    EXPECT_EQ(provider.diagnostic, "ok");
    EXPECT_NE(provider.summary().find("sequence=1; timestamp=100; correlation=5"),
              std::string::npos);
}

TEST(ProviderInitialize, RefusedContractsEndUnavailable) {
    struct contract_case {
        const char* label;
        std::function<void(provider_descriptor&)> change;
        bool available;
        const char* reason;
    };
    const std::vector<contract_case> cases = {
        {"other contract",
         [](provider_descriptor& d) {
             d.capability_contract = "tamo.native-ui-host-capabilities.v2";
         },
         true, "incompatible-capability-contract"},
        {"empty contract", [](provider_descriptor& d) { d.capability_contract = ""; }, true,
         "incompatible-capability-contract"},
        {"version 2", [](provider_descriptor& d) { d.contract_version = 2; }, true,
         "incompatible-capability-contract"},
        {"version 0", [](provider_descriptor& d) { d.contract_version = 0; }, true,
         "incompatible-capability-contract"},
        {"empty name", [](provider_descriptor& d) { d.provider_name = ""; }, true,
         "incompatible-capability-contract"},
        {"bad contract, unavailable", [](provider_descriptor& d) { d.contract_version = 2; }, false,
         "incompatible-capability-contract"},
        {"unavailable", [](provider_descriptor&) {}, false, "provider-unavailable"},
    };
    for (const contract_case& refused : cases) {
        SCOPED_TRACE(refused.label);
        provider_descriptor descriptor = full_descriptor();
        refused.change(descriptor);
        native_ui_host_provider provider(descriptor, owner);
        EXPECT_FALSE(provider.initialize(refused.available, false, owner, 100, 5));
        EXPECT_EQ(provider.state, "unavailable");
        EXPECT_EQ(provider.diagnostic,
                  std::string("host.ui_services initialize rejected: ") + refused.reason);
        EXPECT_EQ(provider.failures, 1);
        EXPECT_TRUE(provider.host_events.empty());
        EXPECT_EQ(provider.allocations, 0);
    }
}

TEST(ProviderInitialize, PublicationFailureRecordsCleanupAndFails) {
    native_ui_host_provider provider(full_descriptor(), owner);
    EXPECT_FALSE(provider.initialize(true, true, owner, 100, 5));
    EXPECT_EQ(provider.state, "failed");
    ASSERT_EQ(provider.host_events.size(), 1u);
    EXPECT_EQ(provider.event_at(0),
              "host-event 1: time=100; correlation=5; category=provider; subject=p; "
              "state=partial-initialization-cleaned; "
              "detail=capabilities-created-services-not-published");
    EXPECT_EQ(provider.diagnostic, "host.ui_services initialize rejected: partial-initialization");
    EXPECT_EQ(provider.failures, 1);
}

TEST(ProviderInitialize, OnlyOnceAndOnlyFromTheOwner) {
    native_ui_host_provider provider(full_descriptor(), owner);
    expect_refused(provider, "host.ui_services initialize rejected: invalid-state-or-thread",
                   [&] { return provider.initialize(true, false, foreign, 100, 5); });
    EXPECT_EQ(provider.state, "new");
    EXPECT_TRUE(provider.initialize(true, false, owner, 100, 5));
    expect_refused(provider, "host.ui_services initialize rejected: invalid-state-or-thread",
                   [&] { return provider.initialize(true, false, owner, 200, 6); });
    EXPECT_EQ(provider.state, "ready");
    EXPECT_EQ(provider.failures, 2);
}

TEST(ProviderInitialize, NoStateButNewReturnsToReady) {
    for (const char* state : {"ready", "lost", "failed", "unavailable", "torn-down"}) {
        SCOPED_TRACE(state);
        native_ui_host_provider provider = testing::provider_in_state(state);
        expect_refused(provider, "host.ui_services initialize rejected: invalid-state-or-thread",
                       [&] { return provider.initialize(true, false, owner, 500, 50); });
    }
}

TEST(ProviderInitialize, SucceedingResetsTheDiagnostic) {
    native_ui_host_provider provider(full_descriptor(), owner);
    provider.initialize(true, false, foreign, 1, 1);
    EXPECT_NE(provider.diagnostic, "ok");
    EXPECT_TRUE(provider.initialize(true, false, owner, 100, 5));
    EXPECT_EQ(provider.diagnostic, "ok");
    EXPECT_EQ(provider.failures, 1);
}

TEST(ProviderLoss, ClearsPlatformSideAndKeepsTheRest) {
    native_ui_host_provider provider = ready_provider();
    provider.composition_active = true;
    provider.composition_text = "abc";
    provider.text_window = "w";
    provider.keyboard_requested = true;
    provider.keyboard_visible = true;
    provider.clipboard_owner = "w1";
    provider.clipboard_format = "image/rgba8";
    provider.clipboard_data = "pixels";
    provider.clipboard_delayed = true;
    provider.session = "suspended";

    EXPECT_TRUE(provider.provider_loss("device-removed", owner, 110, 6));
    EXPECT_EQ(provider.state, "lost");
    EXPECT_FALSE(provider.composition_active);
    EXPECT_FALSE(provider.keyboard_visible);
    EXPECT_EQ(provider.clipboard_owner, "");
    EXPECT_EQ(provider.clipboard_data, "");
    EXPECT_FALSE(provider.clipboard_delayed);
    EXPECT_EQ(provider.composition_text, "abc");
    EXPECT_EQ(provider.text_window, "w");
    EXPECT_TRUE(provider.keyboard_requested);
    EXPECT_EQ(provider.clipboard_format, "image/rgba8");
    EXPECT_EQ(provider.session, "suspended");
    EXPECT_EQ(provider.event_at(1),
              "host-event 2: time=110; correlation=6; category=provider; subject=p; state=lost; "
              "detail=device-removed");
}

TEST(ProviderLoss, AReasonHeldByTheProviderIsRecordedAsItWas) {
    for (std::string native_ui_host_provider::*field :
         {&native_ui_host_provider::clipboard_owner, &native_ui_host_provider::clipboard_data}) {
        native_ui_host_provider provider = ready_provider();
        provider.*field = "owner-window-closed";
        EXPECT_TRUE(provider.provider_loss(provider.*field, owner, 110, 6));
        EXPECT_EQ(provider.event_at(1),
                  "host-event 2: time=110; correlation=6; category=provider; subject=p; "
                  "state=lost; detail=owner-window-closed");
        EXPECT_EQ(provider.*field, "");
    }
}

TEST(ProviderLoss, RefusedUnlessReadyOnTheOwnerThread) {
    const char* refusal = "host.ui_services provider-loss rejected: invalid-state-or-thread";
    native_ui_host_provider fresh(full_descriptor(), owner);
    expect_refused(fresh, refusal, [&] { return fresh.provider_loss("r", owner, 1, 1); });

    native_ui_host_provider provider = ready_provider();
    expect_refused(provider, refusal, [&] { return provider.provider_loss("r", foreign, 1, 1); });
    EXPECT_TRUE(provider.provider_loss("r", owner, 110, 6));
    expect_refused(provider, refusal, [&] { return provider.provider_loss("r", owner, 120, 7); });
    EXPECT_TRUE(provider.teardown(owner, 130, 8));
    EXPECT_EQ(provider.state, "torn-down");
}

TEST(ProviderTeardown, EndsEveryInitialisedStateWithOneRecord) {
    for (const char* state : {"ready", "lost", "failed", "unavailable"}) {
        SCOPED_TRACE(state);
        native_ui_host_provider provider = testing::provider_in_state(state);
        provider.action_guard = true;
        provider.composition_active = true;
        provider.batch_open = 1;
        const std::size_t records = provider.host_events.size();
        const std::int32_t failures = provider.failures;

        EXPECT_TRUE(provider.teardown(owner, 200, 9));
        EXPECT_EQ(provider.state, "torn-down");
        EXPECT_FALSE(provider.action_guard);
        EXPECT_FALSE(provider.composition_active);
        EXPECT_EQ(provider.batch_open, 0);
        EXPECT_EQ(provider.failures, failures);
        ASSERT_EQ(provider.host_events.size(), records + 1);
        EXPECT_EQ(provider.host_events.back(),
                  "host-event " + std::to_string(records + 1) +
                      ": time=200; correlation=9; category=provider; subject=p; state=torn-down; "
                      "detail=queues-quiesced-identities-invalidated");
    }
}

TEST(ProviderTeardown, SecondTeardownChangesNothing) {
    native_ui_host_provider provider = ready_provider();
    EXPECT_TRUE(provider.teardown(owner, 200, 9));
    const std::vector<std::string> before = fields_besides_refusal(provider);
    const std::string diagnostic = provider.diagnostic;
    EXPECT_TRUE(provider.teardown(owner, 300, 10));
    EXPECT_EQ(fields_besides_refusal(provider), before);
    EXPECT_EQ(provider.diagnostic, diagnostic);
    EXPECT_EQ(provider.failures, 0);
}

TEST(ProviderTeardown, RefusedBeforeInitialiseAndFromOtherThreads) {
    native_ui_host_provider fresh(full_descriptor(), owner);
    expect_refused(fresh, "host.ui_services teardown rejected: invalid-state=new",
                   [&] { return fresh.teardown(owner, 1, 1); });
    expect_refused(fresh, "host.ui_services teardown rejected: wrong-thread",
                   [&] { return fresh.teardown(foreign, 1, 1); });

    native_ui_host_provider initializing(full_descriptor(), owner);
    initializing.state = "initializing";
    expect_refused(initializing, "host.ui_services teardown rejected: invalid-state=initializing",
                   [&] { return initializing.teardown(owner, 1, 1); });

    native_ui_host_provider provider = ready_provider();
    expect_refused(provider, "host.ui_services teardown rejected: wrong-thread",
                   [&] { return provider.teardown(foreign, 1, 1); });
    EXPECT_TRUE(provider.teardown(owner, 200, 9));
    expect_refused(provider, "host.ui_services teardown rejected: wrong-thread",
                   [&] { return provider.teardown(foreign, 1, 1); });
}

TEST(ProviderTeardown, TornDownProviderStillReports) {
    native_ui_host_provider provider = ready_provider();
    EXPECT_TRUE(provider.teardown(owner, 200, 9));
    EXPECT_TRUE(provider.has_capability("clipboard"));
    EXPECT_NE(provider.event_at(1), "");
    EXPECT_EQ(provider.summary(),
              "native-ui-host-provider: schema=tamo.native-ui-host-provider.v1; version=1; "
              "provider=p; state=torn-down; owner-thread=7; sequence=2; timestamp=200; "
              "correlation=9; events=2; nodes=0; displays=0; topology=0; session=active; "
              "composition=false; keyboard-requested=false; keyboard-visible=false; "
              "clipboard-format=; failures=0; allocations=2; max-latency-us=1; diagnostic=ok");
}

TEST(ProviderLifecycleOrder, RecordsSeeTheFieldsOfTheirStep) {
    std::vector<std::string> seen;
    const auto watch = [&seen](testing::observed_provider& provider) {
        provider.before_record = [&seen, &provider](const std::string& event_state,
                                                    const std::string&) {
            seen.push_back(event_state + " in " + provider.state +
                           " composition=" + (provider.composition_active ? "on" : "off"));
        };
    };
    testing::observed_provider failing(full_descriptor(), owner);
    watch(failing);
    failing.initialize(true, true, owner, 1, 1);
    EXPECT_EQ(seen,
              std::vector<std::string>{"partial-initialization-cleaned in failed composition=off"});

    seen.clear();
    testing::observed_provider provider(full_descriptor(), owner);
    watch(provider);
    provider.initialize(true, false, owner, 1, 1);
    provider.composition_active = true;
    provider.provider_loss("gone", owner, 2, 2);
    provider.composition_active = true;
    provider.teardown(owner, 3, 3);
    EXPECT_EQ(seen, (std::vector<std::string>{"ready in ready composition=off",
                                              "lost in ready composition=off",
                                              "torn-down in lost composition=on"}));
}

TEST(ProviderLifecycleOrder, RefusalsStayRefusedWhateverRejectReturns) {
    approving_reject_provider provider(full_descriptor(), owner);
    expect_refused(provider, "host.ui_services teardown rejected: invalid-state=new",
                   [&] { return provider.teardown(owner, 1, 1); });
    expect_refused(provider, "host.ui_services provider-loss rejected: invalid-state-or-thread",
                   [&] { return provider.provider_loss("r", owner, 1, 1); });
    expect_refused(provider, "host.ui_services initialize rejected: invalid-state-or-thread",
                   [&] { return provider.initialize(true, false, foreign, 1, 1); });
    EXPECT_FALSE(provider.initialize(false, false, owner, 1, 1));
    EXPECT_EQ(provider.state, "unavailable");
}

}  // namespace
}  // namespace tamo
