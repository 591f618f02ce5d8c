#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "host/ui_services/display_record.hpp"
#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_test_support.hpp"

namespace tamo {
namespace {

using testing::display;
using testing::expect_refused;
using testing::owner;
using testing::ready_provider;

class DisplayTopology : public ::testing::Test {
  protected:
    bool publish(const display_record& record) { return provider.display_publish(record, owner); }
    bool commit() { return provider.display_topology_commit(owner, 200, 11); }

    native_ui_host_provider provider = ready_provider();
};

TEST_F(DisplayTopology, PublishAndCommitOnePrimary) {
    const std::int32_t allocations = provider.allocations;
    ASSERT_TRUE(publish(display("d1", 0, true)));
    EXPECT_EQ(provider.host_events.size(), 1u);
    EXPECT_EQ(provider.allocations, allocations + 11);
    ASSERT_TRUE(commit());
    EXPECT_EQ(provider.host_events.back(),
              "host-event 2: time=200; correlation=11; category=display; subject=topology; "
              "state=changed; detail=revision=1; displays=1");
    EXPECT_EQ(provider.max_latency_us, 2);
    EXPECT_EQ(provider.topology_revision, 1);
    EXPECT_EQ(provider.display_work_height, std::vector<std::int32_t>{560});
    EXPECT_EQ(provider.display_scale, std::vector<std::int32_t>{100});
}

TEST_F(DisplayTopology, RepublishingReplacesInPlace) {
    ASSERT_TRUE(publish(display("d1", 0, true)));
    ASSERT_TRUE(publish(display("d2", -800, false)));
    const std::int32_t allocations = provider.allocations;
    ASSERT_TRUE(publish({"d1", 10, 20, 1024, 768, 10, 20, 1024, 740, 150, false}));
    EXPECT_EQ(provider.allocations, allocations);
    EXPECT_EQ(provider.find_display("d1"), 0);
    EXPECT_EQ(provider.display_ids, (std::vector<std::string>{"d1", "d2"}));
    EXPECT_EQ(provider.display_x, (std::vector<std::int32_t>{10, -800}));
    EXPECT_EQ(provider.display_y, (std::vector<std::int32_t>{20, 0}));
    EXPECT_EQ(provider.display_width, (std::vector<std::int32_t>{1024, 800}));
    EXPECT_EQ(provider.display_height, (std::vector<std::int32_t>{768, 600}));
    EXPECT_EQ(provider.display_work_x, (std::vector<std::int32_t>{10, -800}));
    EXPECT_EQ(provider.display_work_y, (std::vector<std::int32_t>{20, 0}));
    EXPECT_EQ(provider.display_work_width, (std::vector<std::int32_t>{1024, 800}));
    EXPECT_EQ(provider.display_work_height, (std::vector<std::int32_t>{740, 560}));
    EXPECT_EQ(provider.display_scale, (std::vector<std::int32_t>{150, 100}));
    EXPECT_EQ(provider.display_primary, (std::vector<bool>{false, false}));
}

TEST_F(DisplayTopology, PublishRefusesBrokenGeometryWithItsRule) {
    ASSERT_TRUE(publish(display("d1", 0, true)));
    display_record wider = display("d1", 0, false);
    wider.work_width = 801;
    expect_refused(provider, "host.ui_services display-publish rejected: work-area-outside-display",
                   [&] { return publish(wider); });
    display_record unscaled = display("d1", 0, false);
    unscaled.scale = 0;
    expect_refused(provider, "host.ui_services display-publish rejected: invalid-display-geometry",
                   [&] { return publish(unscaled); });
    EXPECT_EQ(provider.display_primary, std::vector<bool>{true});
}

TEST_F(DisplayTopology, CommitNeedsExactlyOnePrimary) {
    expect_refused(provider, "host.ui_services display-topology rejected: no-displays",
                   [&] { return commit(); });
    ASSERT_TRUE(publish(display("d1", 0, false)));
    expect_refused(provider, "host.ui_services display-topology rejected: primary-count=0",
                   [&] { return commit(); });
    ASSERT_TRUE(publish(display("d1", 0, true)));
    ASSERT_TRUE(publish(display("d2", 800, true)));
    expect_refused(provider, "host.ui_services display-topology rejected: primary-count=2",
                   [&] { return commit(); });
    ASSERT_TRUE(publish(display("d2", 800, false)));
    EXPECT_TRUE(commit());
    EXPECT_TRUE(commit());
    EXPECT_EQ(provider.topology_revision, 2);
    EXPECT_NE(provider.host_events.back().find("revision=2; displays=2"), std::string::npos);
}

TEST_F(DisplayTopology, RevisionStopsAtTheLimit) {
    ASSERT_TRUE(publish(display("d1", 0, true)));
    provider.topology_revision = std::numeric_limits<std::int32_t>::max();
    EXPECT_TRUE(commit());
    EXPECT_EQ(provider.topology_revision, std::numeric_limits<std::int32_t>::max());
}

TEST_F(DisplayTopology, DisplaysOutliveLossAndTeardown) {
    EXPECT_EQ(provider.find_display("d1"), -1);
    ASSERT_TRUE(publish(display("d1", 0, true)));
    ASSERT_TRUE(publish(display("d2", 800, false)));
    ASSERT_TRUE(commit());
    ASSERT_TRUE(provider.provider_loss("gone", owner, 300, 12));
    ASSERT_TRUE(provider.teardown(owner, 400, 13));
    EXPECT_EQ(provider.find_display("d2"), 1);
    EXPECT_NE(provider.summary().find("displays=2; topology=1"), std::string::npos);
}

// A look-up override that answers an index outside the display list.
class out_of_range_display_lookup : public native_ui_host_provider {
  public:
    using native_ui_host_provider::native_ui_host_provider;
    std::int32_t find_display(const std::string&) const override { return 5; }
};

TEST(DisplayLookup, IndexOutsideTheListCountsAsNew) {
    out_of_range_display_lookup provider(testing::full_descriptor(), owner);
    ASSERT_TRUE(provider.initialize(true, false, owner, 100, 5));
    ASSERT_TRUE(provider.display_publish(display("d1", 0, true), owner));
    EXPECT_EQ(provider.display_ids.size(), 1u);
    EXPECT_EQ(provider.display_primary.size(), 1u);
}

}  // namespace
}  // namespace tamo
