#include <gtest/gtest.h>

#include <string>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_test_support.hpp"

namespace tamo {
namespace {

using testing::bare_descriptor;
using testing::expect_refused;
using testing::foreign;
using testing::full_descriptor;
using testing::owner;
using testing::ready_provider;

constexpr const char* window_refusal =
    "host.ui_services window-event rejected: invalid-state-thread-or-window";

TEST(WindowEvent, RecordedWithoutAnyCapability) {
    native_ui_host_provider provider = ready_provider(bare_descriptor());
    EXPECT_TRUE(provider.window_event("w", "resize", 12, 4, owner));
    EXPECT_EQ(provider.host_events.back(),
              "host-event 2: time=101; correlation=4; category=window; subject=w; state=resize; "
              "detail=correlated-window-runtime-event");
    EXPECT_TRUE(provider.window_event("w", "", 300, 6, owner));
    EXPECT_EQ(provider.host_events.back(),
              "host-event 3: time=300; correlation=6; category=window; subject=w; state=; "
              "detail=correlated-window-runtime-event");
    EXPECT_EQ(provider.max_latency_us, 0);
}

TEST(WindowEvent, OneReasonForStateThreadAndWindow) {
    native_ui_host_provider fresh(full_descriptor(), owner);
    expect_refused(fresh, window_refusal,
                   [&] { return fresh.window_event("w", "resize", 12, 4, owner); });

    native_ui_host_provider provider = ready_provider();
    expect_refused(provider, window_refusal,
                   [&] { return provider.window_event("w", "resize", 12, 4, foreign); });
    expect_refused(provider, window_refusal,
                   [&] { return provider.window_event("", "resize", 12, 4, owner); });

    ASSERT_TRUE(provider.provider_loss("gone", owner, 200, 7));
    expect_refused(provider, window_refusal,
                   [&] { return provider.window_event("w", "resize", 300, 8, owner); });
}

TEST(WindowEvent, ThreadIdComesAfterTimeAndCorrelation) {
    native_ui_host_provider provider(full_descriptor(), 12);
    ASSERT_TRUE(provider.initialize(true, false, 12, 100, 5));
    EXPECT_TRUE(provider.window_event("w", "move", 200, 4, 12));
    expect_refused(provider, window_refusal,
                   [&] { return provider.window_event("w", "move", 300, 12, 4); });
}

class SessionLifecycle : public ::testing::Test {
  protected:
    native_ui_host_provider provider = ready_provider();
};

TEST_F(SessionLifecycle, SuspendAndResume) {
    EXPECT_TRUE(provider.session_transition(true, "lock-screen", owner, 200, 11));
    EXPECT_EQ(provider.session, "suspended");
    EXPECT_EQ(provider.host_events.back(),
              "host-event 2: time=200; correlation=11; category=session; subject=application; "
              "state=suspended; detail=lock-screen");
    EXPECT_EQ(provider.max_latency_us, 1);
    expect_refused(provider,
                   "host.ui_services session-transition rejected: duplicate-state=suspended",
                   [&] { return provider.session_transition(true, "again", owner, 1, 1); });
    EXPECT_TRUE(provider.session_transition(false, "unlock", owner, 210, 12));
    EXPECT_EQ(provider.session, "active");
    EXPECT_NE(provider.host_events.back().find("state=active; detail=unlock"), std::string::npos);
}

TEST_F(SessionLifecycle, ResumingAnActiveSessionIsRefused) {
    expect_refused(provider, "host.ui_services session-transition rejected: duplicate-state=active",
                   [&] { return provider.session_transition(false, "resume", owner, 1, 1); });
}

TEST_F(SessionLifecycle, ADetailHeldByTheProviderIsRecordedAsItWas) {
    EXPECT_TRUE(provider.session_transition(true, provider.session, owner, 200, 11));
    EXPECT_NE(provider.host_events.back().find("state=suspended; detail=active"),
              std::string::npos);
    EXPECT_TRUE(provider.session_transition(false, provider.session, owner, 210, 12));
    EXPECT_NE(provider.host_events.back().find("state=active; detail=suspended"),
              std::string::npos);
}

TEST_F(SessionLifecycle, SessionOutlivesLossAndTeardown) {
    ASSERT_TRUE(provider.session_transition(true, "lock-screen", owner, 200, 11));
    ASSERT_TRUE(provider.provider_loss("gone", owner, 300, 12));
    EXPECT_EQ(provider.session, "suspended");
    ASSERT_TRUE(provider.teardown(owner, 400, 13));
    EXPECT_NE(provider.summary().find("session=suspended"), std::string::npos);
}

}  // namespace
}  // namespace tamo
