#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_test_support.hpp"

namespace tamo {
namespace {

using testing::expect_refused;
using testing::full_descriptor;
using testing::owner;
using testing::ready_provider;

class AccessibilityTree : public ::testing::Test {
  protected:
    bool update(const std::string& id, std::int32_t generation, const std::string& role = "button",
                const std::string& name = "Save") {
        return provider.accessibility_update(id, generation, role, name, owner);
    }

    native_ui_host_provider provider = ready_provider();
};

TEST_F(AccessibilityTree, BatchAddsNodesAndCommitRecordsTheCount) {
    const std::int32_t allocations = provider.allocations;
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
    ASSERT_TRUE(update("save", 1));
    ASSERT_TRUE(provider.accessibility_batch_commit(owner, 210, 12));
    EXPECT_EQ(provider.event_at(1),
              "host-event 2: time=200; correlation=11; category=accessibility; subject=tree; "
              "state=batch-begin; detail=updates-hidden-until-commit");
    EXPECT_EQ(provider.event_at(2),
              "host-event 3: time=210; correlation=12; category=accessibility; subject=tree; "
              "state=batch-commit; detail=nodes=1");
    EXPECT_EQ(provider.allocations, allocations + 4 + 2);
    EXPECT_EQ(provider.max_latency_us, 1);
    EXPECT_EQ(provider.batch_open, 0);
    EXPECT_EQ(provider.node_roles, std::vector<std::string>{"button"});
    EXPECT_EQ(provider.node_names, std::vector<std::string>{"Save"});
}

TEST_F(AccessibilityTree, NodesCountAtOnceWhileTheBatchIsOpen) {
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
    ASSERT_TRUE(update("save", 1));
    EXPECT_EQ(provider.find_accessibility_node("save"), 0);
    EXPECT_NE(provider.summary().find("nodes=1"), std::string::npos);
    EXPECT_TRUE(provider.accessibility_action("save", 1, "invoke", false, owner, 205, 13));
}

TEST_F(AccessibilityTree, UpdateRefusesWithoutBatchOrWithMissingParts) {
    const char* refusal =
        "host.ui_services accessibility-update rejected: invalid-batch-node-role-or-name";
    expect_refused(provider, refusal, [&] { return update("save", 1); });
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
    expect_refused(provider, refusal, [&] { return update("save", 0); });
    expect_refused(provider, refusal, [&] { return update("save", -1); });
    expect_refused(provider, refusal, [&] { return update("", 1); });
    expect_refused(provider, refusal, [&] { return update("save", 1, ""); });
    expect_refused(provider, refusal, [&] { return update("save", 1, "button", ""); });
}

TEST_F(AccessibilityTree, GenerationsMayRiseOrRepeatButNotFall) {
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
    ASSERT_TRUE(update("open", 1));
    ASSERT_TRUE(update("save", 1));
    const std::int32_t allocations = provider.allocations;
    EXPECT_TRUE(update("save", 1, "menuitem", "Save as"));
    EXPECT_TRUE(update("save", 2, "menuitem", "Save all"));
    EXPECT_EQ(provider.find_accessibility_node("save"), 1);
    EXPECT_EQ(provider.node_generations, (std::vector<std::int32_t>{1, 2}));
    EXPECT_EQ(provider.node_names, (std::vector<std::string>{"Save", "Save all"}));
    EXPECT_EQ(provider.allocations, allocations);
    expect_refused(provider, "host.ui_services accessibility-update rejected: stale-generation",
                   [&] { return update("save", 1, "button", "Old"); });
}

// A new node may take its role or name from an id of the tree, though the
// id list grows under it.
TEST_F(AccessibilityTree, ANewNodeMayTakeItsRoleOrNameFromAnIdOfTheTree) {
    struct alias_case {
        bool role_from_id;
        std::vector<std::string> roles;
        std::vector<std::string> names;
    };
    const alias_case cases[] = {
        {true, {"button", "longer-than-a-short-text-save"}, {"Save", "Save"}},
        {false, {"button", "button"}, {"Save", "longer-than-a-short-text-save"}},
    };
    for (const alias_case& c : cases) {
        provider = ready_provider();
        ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
        ASSERT_TRUE(update("longer-than-a-short-text-save", 1));
        provider.node_ids.shrink_to_fit();
        const std::string& id = provider.node_ids[0];
        ASSERT_TRUE(c.role_from_id ? update("open", 1, id) : update("open", 1, "button", id));
        EXPECT_EQ(provider.node_roles, c.roles) << c.role_from_id;
        EXPECT_EQ(provider.node_names, c.names) << c.role_from_id;
    }
}

TEST_F(AccessibilityTree, BatchesDoNotNest) {
    expect_refused(provider, "host.ui_services accessibility-batch rejected: no-active-batch",
                   [&] { return provider.accessibility_batch_commit(owner, 1, 1); });
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
    expect_refused(provider, "host.ui_services accessibility-batch rejected: nested-batch",
                   [&] { return provider.accessibility_batch_begin(owner, 1, 1); });
    EXPECT_EQ(provider.batch_open, 1);
    EXPECT_TRUE(provider.accessibility_batch_commit(owner, 210, 12));
    EXPECT_NE(provider.host_events.back().find("detail=nodes=0"), std::string::npos);
}

TEST_F(AccessibilityTree, ActionsNeedTheStoredIdentity) {
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
    ASSERT_TRUE(update("save", 2));
    ASSERT_TRUE(provider.accessibility_batch_commit(owner, 210, 12));
    EXPECT_TRUE(provider.accessibility_action("save", 2, "invoke", false, owner, 220, 13));
    EXPECT_EQ(provider.host_events.back(),
              "host-event 4: time=220; correlation=13; category=accessibility; subject=save; "
              "state=action; detail=invoke");
    EXPECT_EQ(provider.max_latency_us, 2);
    const char* refusal =
        "host.ui_services accessibility-action rejected: stale-or-missing-node-identity";
    for (const std::int32_t generation : {1, 3}) {
        expect_refused(provider, refusal, [&] {
            return provider.accessibility_action("save", generation, "invoke", false, owner, 1, 1);
        });
    }
    expect_refused(provider, refusal, [&] {
        return provider.accessibility_action("open", 1, "invoke", false, owner, 1, 1);
    });
}

TEST_F(AccessibilityTree, ReentrantRequestIsBlockedOnceAndTheGuardIsClear) {
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
    ASSERT_TRUE(update("save", 1));
    expect_refused(
        provider, "host.ui_services accessibility-action rejected: callback-reentrancy-blocked",
        [&] { return provider.accessibility_action("save", 1, "invoke", true, owner, 1, 1); });
    EXPECT_TRUE(provider.accessibility_action("save", 1, "invoke", false, owner, 220, 13));
}

TEST(AccessibilityLookup, FindsTheFirstInsertionIndex) {
    native_ui_host_provider provider = ready_provider();
    EXPECT_EQ(provider.find_accessibility_node("a"), -1);
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
    for (const char* id : {"a", "b", "c"}) {
        ASSERT_TRUE(provider.accessibility_update(id, 1, "r", "n", owner));
    }
    EXPECT_EQ(provider.find_accessibility_node("c"), 2);
    EXPECT_EQ(provider.find_accessibility_node("A"), -1);
    EXPECT_EQ(provider.find_accessibility_node(""), -1);
    ASSERT_TRUE(provider.teardown(owner, 300, 12));
    EXPECT_EQ(provider.find_accessibility_node("b"), 1);
}

class AccessibilityDispatch : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(provider.initialize(true, false, owner, 100, 5));
        ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
        ASSERT_TRUE(provider.accessibility_update("save", 1, "button", "Save", owner));
    }

    testing::observed_provider provider{full_descriptor(), owner};
};

TEST_F(AccessibilityDispatch, ActionFromInsideTheDispatchIsRefused) {
    bool guard_when_recorded = false;
    bool nested_result = true;
    std::string nested_diagnostic;
    provider.before_record = [&](const std::string& event_state, const std::string& subject) {
        if (event_state == "action" && nested_diagnostic.empty()) {
            guard_when_recorded = provider.action_guard;
            nested_result = provider.accessibility_action(subject, 1, "nested", false, owner, 1, 1);
            nested_diagnostic = provider.diagnostic;
        }
    };
    EXPECT_TRUE(provider.accessibility_action("save", 1, "invoke", false, owner, 220, 13));
    EXPECT_TRUE(guard_when_recorded);
    EXPECT_FALSE(nested_result);
    EXPECT_EQ(nested_diagnostic,
              "host.ui_services accessibility-action rejected: reentrant-or-unavailable");
    EXPECT_FALSE(provider.action_guard);
}

TEST_F(AccessibilityDispatch, GuardIsClearedWhenRecordingThrows) {
    provider.before_record = [](const std::string&, const std::string&) {
        throw std::runtime_error("log unavailable");
    };
    EXPECT_THROW(provider.accessibility_action("save", 1, "invoke", false, owner, 220, 13),
                 std::runtime_error);
    EXPECT_FALSE(provider.action_guard);
    provider.before_record = nullptr;
    EXPECT_TRUE(provider.accessibility_action("save", 1, "invoke", false, owner, 230, 14));
}

// A look-up override that answers an index outside the tree.
class out_of_range_lookup_provider : public native_ui_host_provider {
  public:
    using native_ui_host_provider::native_ui_host_provider;
    std::int32_t find_accessibility_node(const std::string&) const override { return 99; }
};

TEST(AccessibilityLookup, IndexOutsideTheTreeCountsAsMissing) {
    out_of_range_lookup_provider provider(full_descriptor(), owner);
    ASSERT_TRUE(provider.initialize(true, false, owner, 100, 5));
    ASSERT_TRUE(provider.accessibility_batch_begin(owner, 200, 11));
    expect_refused(
        provider, "host.ui_services accessibility-action rejected: stale-or-missing-node-identity",
        [&] { return provider.accessibility_action("save", 1, "a", false, owner, 1, 1); });
    EXPECT_TRUE(provider.accessibility_update("save", 1, "button", "Save", owner));
    EXPECT_EQ(provider.node_ids.size(), 1u);
}

}  // namespace
}  // namespace tamo
