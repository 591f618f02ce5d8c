#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_test_support.hpp"

namespace tamo {
namespace {

using testing::full_descriptor;
using testing::owner;

constexpr std::int32_t max_int32 = std::numeric_limits<std::int32_t>::max();

TEST(HostEventLog, FreshProviderSummary) {
    const native_ui_host_provider provider(full_descriptor(), owner);
    EXPECT_EQ(provider.summary(),
              "native-ui-host-provider: schema=tamo.native-ui-host-provider.v1; version=1; "
              "provider=p; state=new; owner-thread=7; sequence=0; timestamp=0; correlation=0; "
              "events=0; nodes=0; displays=0; topology=0; session=active; composition=false; "
              "keyboard-requested=false; keyboard-visible=false; clipboard-format=; failures=0; "
              "allocations=0; max-latency-us=0; diagnostic=ok");
}

TEST(HostEventLog, SummaryReportsEveryGroupAfterServiceUse) {
    native_ui_host_provider provider = testing::ready_provider();
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 110, 6));
    ASSERT_TRUE(provider.accessibility_update("save", 1, "button", "Save", owner));
    ASSERT_TRUE(provider.display_publish({"d1", 0, 0, 800, 600, 0, 0, 800, 560, 100, true}, owner));
    ASSERT_TRUE(provider.display_topology_commit(owner, 120, 7));
    ASSERT_TRUE(provider.text_input_begin("w", "abc", 0, 3, 0, 3, 10, 20, 2, 16, 10, 36, "text",
                                          "none", false, true, owner, 130, 8));
    ASSERT_TRUE(provider.virtual_keyboard_update(true, true, "docked", owner, 140, 9));
    ASSERT_TRUE(provider.clipboard_set("w1", "image/rgba8", "px", false, true, owner, 150, 0));
    ASSERT_TRUE(provider.session_transition(true, "lock-screen", owner, 90, 10));
    EXPECT_EQ(provider.clipboard_read("text/plain;charset=utf-8", true, owner, 160, 11), "");
    EXPECT_EQ(provider.summary(),
              "native-ui-host-provider: schema=tamo.native-ui-host-provider.v1; version=1; "
              "provider=p; state=ready; owner-thread=7; sequence=7; timestamp=151; "
              "correlation=10; events=7; nodes=1; displays=1; topology=1; session=suspended; "
              "composition=true; keyboard-requested=true; keyboard-visible=true; "
              "clipboard-format=image/rgba8; failures=1; allocations=22; max-latency-us=3; "
              "diagnostic=host.ui_services clipboard-read rejected: "
              "permission-format-or-delayed-data");
}

TEST(HostEventLog, RecordTextJoinsHeadAndBody) {
    native_ui_host_provider provider(full_descriptor(), owner);
    provider.record_host_event("a", "b", "c", "d", 10, 1, 0);
    provider.record_host_event("a", "b", "c", "d", 20, 2, 0);
    provider.record_host_event("clipboard", "w1", "read", "image/rgba8", 40, 9, 0);
    EXPECT_EQ(provider.event_at(2),
              "host-event 3: time=40; correlation=9; category=clipboard; subject=w1; state=read; "
              "detail=image/rgba8");
    EXPECT_EQ(provider.sequence, 4);
    EXPECT_EQ(provider.allocations, 3);
}

TEST(HostEventLog, ArgumentTextsAreInsertedUnchanged) {
    native_ui_host_provider provider(full_descriptor(), owner);
    provider.record_host_event("{1}", "{0}", "x; y", "a=b; c={2}", 1, 1, 0);
    EXPECT_EQ(provider.event_at(0),
              "host-event 1: time=1; correlation=1; category={1}; subject={0}; state=x; y; "
              "detail=a=b; c={2}");
}

struct timing_case {
    std::int32_t time;
    std::int32_t correlation;
    std::int32_t recorded_time;
    std::int32_t recorded_correlation;
};

void expect_timings(native_ui_host_provider& provider, const std::vector<timing_case>& cases) {
    for (const timing_case& step : cases) {
        provider.record_host_event("c", "s", "t", "d", step.time, step.correlation, 0);
        EXPECT_EQ(provider.last_timestamp, step.recorded_time) << "time " << step.time;
        EXPECT_EQ(provider.last_correlation, step.recorded_correlation)
            << "correlation " << step.correlation;
    }
}

TEST(HostEventLog, TimesStrictlyIncreaseAndMissingCorrelationsContinue) {
    native_ui_host_provider provider(full_descriptor(), owner);
    expect_timings(provider, {
                                 {40, 3, 40, 3},
                                 {50, 0, 50, 4},
                                 {50, -3, 51, 5},
                                 {10, 2, 52, 2},
                                 {-100, 2, 53, 2},
                                 {60, 1, 60, 1},
                             });
    EXPECT_EQ(provider.event_at(2),
              "host-event 3: time=51; correlation=5; category=c; subject=s; state=t; detail=d");
}

TEST(HostEventLog, NegativeTimesAfterConstructionAreRaisedAboveZero) {
    native_ui_host_provider provider(full_descriptor(), owner);
    expect_timings(provider, {{-5, 0, 1, 1}, {0, -1, 2, 2}});
}

TEST(HostEventLog, TimesAndCorrelationsStopAtTheLimit) {
    native_ui_host_provider provider(full_descriptor(), owner);
    expect_timings(provider, {
                                 {max_int32 - 1, max_int32 - 1, max_int32 - 1, max_int32 - 1},
                                 {0, 0, max_int32, max_int32},
                                 {0, 0, max_int32, max_int32},
                                 {max_int32, -1, max_int32, max_int32},
                             });
    EXPECT_EQ(provider.event_at(3),
              "host-event 4: time=2147483647; correlation=2147483647; category=c; subject=s; "
              "state=t; detail=d");
}

TEST(HostEventLog, CountersStopAtTheLimit) {
    native_ui_host_provider provider(full_descriptor(), owner);
    provider.sequence = max_int32 - 1;
    provider.allocations = max_int32;
    provider.record_host_event("c", "s", "t", "d", 1, 1, 0);
    provider.record_host_event("c", "s", "t", "d", 2, 2, 0);
    EXPECT_EQ(provider.sequence, max_int32);
    EXPECT_EQ(provider.allocations, max_int32);
    EXPECT_EQ(provider.event_at(1),
              "host-event 2147483647: time=2; correlation=2; category=c; subject=s; state=t; "
              "detail=d");

    provider.failures = max_int32;
    EXPECT_FALSE(provider.reject("x", "y"));
    EXPECT_EQ(provider.failures, max_int32);
}

TEST(HostEventLog, MaxLatencyKeepsTheLargest) {
    native_ui_host_provider provider(full_descriptor(), owner);
    for (const std::int32_t latency : {3, -7, 1, 9, 2}) {
        provider.record_host_event("c", "s", "t", "d", 0, 0, latency);
    }
    EXPECT_EQ(provider.max_latency_us, 9);
}

TEST(HostEventLog, EventAtOutsideTheLogIsEmpty) {
    native_ui_host_provider provider(full_descriptor(), owner);
    EXPECT_EQ(provider.event_at(0), "");
    provider.record_host_event("c", "s", "t", "d", 1, 1, 0);
    EXPECT_EQ(provider.event_at(-1), "");
    EXPECT_EQ(provider.event_at(1), "");
    EXPECT_EQ(provider.event_at(std::numeric_limits<std::int32_t>::min()), "");
    EXPECT_NE(provider.event_at(0), "");
}

TEST(HostEventLog, RejectKeepsOnlyTheLatestDiagnostic) {
    native_ui_host_provider provider(full_descriptor(), owner);
    testing::expect_refused(provider, "host.ui_services first rejected: one",
                            [&] { return provider.reject("first", "one"); });
    testing::expect_refused(provider, "host.ui_services second rejected: {0}",
                            [&] { return provider.reject("second", "{0}"); });
    EXPECT_EQ(provider.failures, 2);
    EXPECT_TRUE(provider.host_events.empty());
}

}  // namespace
}  // namespace tamo
