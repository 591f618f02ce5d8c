#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <string>
#include <vector>

#include "host/ui_services/display_record.hpp"
#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_test_support.hpp"
#include "runtime/failing_allocation.hpp"

namespace tamo {
namespace {

using testing::display;
using testing::owner;
using testing::provider_in_state;
using testing::ready_provider;

// The call throws std::bad_alloc while only small allocations can be made:
// enough for the capability names, too little for a list of four to grow
// or for a host-event record.
template <typename Call>
void expect_allocation_failure(Call&& call) {
    const test::large_allocations_fail failing(24);
    EXPECT_THROW(call(), std::bad_alloc);
}

class ProviderAllocation : public ::testing::Test {
  protected:
    std::vector<std::size_t> display_list_sizes() const {
        const native_ui_host_provider& p = provider;
        return {p.display_ids.size(),    p.display_x.size(),          p.display_y.size(),
                p.display_width.size(),  p.display_height.size(),     p.display_work_x.size(),
                p.display_work_y.size(), p.display_work_width.size(), p.display_work_height.size(),
                p.display_scale.size(),  p.display_primary.size()};
    }

    std::vector<std::size_t> node_list_sizes() const {
        return {provider.node_ids.size(), provider.node_generations.size(),
                provider.node_roles.size(), provider.node_names.size()};
    }

    native_ui_host_provider provider = ready_provider();
};

TEST_F(ProviderAllocation, FailedDisplayPublishKeepsTheListsInStep) {
    for (std::int32_t d = 0; d < 4; ++d) {
        ASSERT_TRUE(provider.display_publish(display("d" + std::to_string(d), d, d == 0), owner));
    }
    const std::int32_t allocations = provider.allocations;
    // The id list has room for a fifth display; the other lists must grow.
    provider.display_ids.reserve(8);
    expect_allocation_failure(
        [&] { return provider.display_publish(display("d4", 4, false), owner); });
    EXPECT_EQ(display_list_sizes(), std::vector<std::size_t>(11, 4));
    EXPECT_EQ(provider.allocations, allocations);
    EXPECT_EQ(provider.find_display("d4"), -1);
    ASSERT_TRUE(provider.display_publish(display("d5", 5, false), owner));
    EXPECT_EQ(display_list_sizes(), std::vector<std::size_t>(11, 5));
    EXPECT_EQ(provider.find_display("d5"), 4);
    EXPECT_EQ(provider.display_x, (std::vector<std::int32_t>{0, 1, 2, 3, 5}));
    EXPECT_TRUE(provider.display_topology_commit(owner, 200, 11));
}

TEST_F(ProviderAllocation, FailedAccessibilityUpdateKeepsTheListsInStep) {
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
    for (std::int32_t n = 0; n < 4; ++n) {
        ASSERT_TRUE(
            provider.accessibility_update("n" + std::to_string(n), 1, "button", "Save", owner));
    }
    const std::int32_t allocations = provider.allocations;
    // The id list has room for a fifth node; the other lists must grow.
    provider.node_ids.reserve(8);
    expect_allocation_failure(
        [&] { return provider.accessibility_update("n4", 1, "button", "Save", owner); });
    EXPECT_EQ(node_list_sizes(), std::vector<std::size_t>(4, 4));
    EXPECT_EQ(provider.allocations, allocations);
    EXPECT_EQ(provider.find_accessibility_node("n4"), -1);
    ASSERT_TRUE(provider.accessibility_update("n5", 2, "link", "Help", owner));
    EXPECT_EQ(node_list_sizes(), std::vector<std::size_t>(4, 5));
    EXPECT_EQ(provider.find_accessibility_node("n5"), 4);
    EXPECT_EQ(provider.node_generations, (std::vector<std::int32_t>{1, 1, 1, 1, 2}));
    EXPECT_TRUE(provider.accessibility_action("n5", 2, "invoke", false, owner, 210, 12));
}

TEST_F(ProviderAllocation, TopologyCommitWithoutItsRecordKeepsTheRevision) {
    ASSERT_TRUE(provider.display_publish(display("d0", 0, true), owner));
    const std::size_t events = provider.host_events.size();
    expect_allocation_failure([&] { return provider.display_topology_commit(owner, 200, 11); });
    EXPECT_EQ(provider.topology_revision, 0);
    EXPECT_EQ(provider.host_events.size(), events);
    ASSERT_TRUE(provider.display_topology_commit(owner, 210, 12));
    EXPECT_EQ(provider.topology_revision, 1);
    EXPECT_EQ(provider.host_events.back(),
              "host-event 2: time=210; correlation=12; category=display; subject=topology; "
              "state=changed; detail=revision=1; displays=1");
}

TEST_F(ProviderAllocation, BatchOpensAndClosesOnlyWithItsRecord) {
    const std::size_t events = provider.host_events.size();
    expect_allocation_failure([&] { return provider.accessibility_batch_begin(owner, 200, 11); });
    EXPECT_EQ(provider.batch_open, 0);
    EXPECT_EQ(provider.host_events.size(), events);
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 210, 12));
    expect_allocation_failure([&] { return provider.accessibility_batch_commit(owner, 220, 13); });
    EXPECT_EQ(provider.batch_open, 1);
    EXPECT_EQ(provider.host_events.size(), events + 1);
    EXPECT_TRUE(provider.accessibility_batch_commit(owner, 230, 14));
    EXPECT_EQ(provider.batch_open, 0);
}

TEST_F(ProviderAllocation, SessionMovesOnlyWithItsRecord) {
    const std::size_t events = provider.host_events.size();
    expect_allocation_failure(
        [&] { return provider.session_transition(true, "lid-closed", owner, 200, 11); });
    EXPECT_EQ(provider.session, "active");
    EXPECT_EQ(provider.host_events.size(), events);
    EXPECT_TRUE(provider.session_transition(true, "lid-closed", owner, 210, 12));
    EXPECT_EQ(provider.session, "suspended");
}

TEST_F(ProviderAllocation, ClipboardIsMaterializedOnlyWithItsRecord) {
    const std::string media = "text/plain;charset=utf-8";
    ASSERT_TRUE(provider.clipboard_set("editor", media, "", true, true, owner, 200, 11));
    const std::size_t events = provider.host_events.size();
    expect_allocation_failure(
        [&] { return provider.clipboard_materialize("editor", "hello", true, owner, 210, 12); });
    EXPECT_TRUE(provider.clipboard_delayed);
    EXPECT_EQ(provider.host_events.size(), events);
    EXPECT_TRUE(provider.clipboard_materialize("editor", "hello", true, owner, 220, 13));
    EXPECT_EQ(provider.clipboard_read(media, true, owner, 230, 14), "hello");
}

TEST_F(ProviderAllocation, UnwrittenRecordLeavesTheCountersAsTheyWere) {
    const std::vector<std::string> before = fields_besides_refusal(provider);
    expect_allocation_failure(
        [&] { provider.record_host_event("window", "main", "resized", "800x600", 200, 11, 9); });
    EXPECT_EQ(fields_besides_refusal(provider), before);
}

TEST(ProviderAllocationLifecycle, InitializeWithoutItsRecordLeavesTheProviderNew) {
    for (const bool publication_fails : {false, true}) {
        native_ui_host_provider provider = provider_in_state("new");
        expect_allocation_failure(
            [&] { return provider.initialize(true, publication_fails, owner, 100, 5); });
        EXPECT_EQ(provider.state, "new") << publication_fails;
        EXPECT_TRUE(provider.host_events.empty());
        EXPECT_EQ(provider.initialize(true, publication_fails, owner, 100, 5), !publication_fails);
        EXPECT_EQ(provider.state, publication_fails ? "failed" : "ready");
        EXPECT_EQ(provider.host_events.size(), 1u);
    }
}

}  // namespace
}  // namespace tamo
