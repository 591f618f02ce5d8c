#include <gtest/gtest.h>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::delta;
using test::fragment;

TEST(store_close, empties_the_store_and_keeps_the_counters) {
    retained_resource_store store("s");
    resource_set resources = delta();
    resources.surface = "s";
    resources.paints.push_back(test::paint("p"));
    resources.images.push_back(test::image("img", 1));
    retained_fragment f = fragment("a", 1, {1, 2});
    f.commands[0].paintId = "p";
    ASSERT_TRUE(store.bind_owner(f, resources, 0).ok);
    ASSERT_TRUE(store.update_owner(fragment("a", 2, {1, 2}), resources, 1).ok);
    ASSERT_TRUE(store.bind_owner(fragment("b", 1, {3}), resources, 2).ok);
    EXPECT_EQ(store.summary(),
              "retained-resource-store-v1: surface=s; state=open; revision=3; entries=2; "
              "owners=2; commands=3; payload=4; validations=2; explicit-comparisons=4; "
              "payload-comparisons=2; admissions=3; rejections=operation-results-only");
    const std::int32_t probes = store.index_probe_count();

    EXPECT_TRUE(store.close());
    EXPECT_EQ(store.state(), "closed");
    EXPECT_EQ(store.summary(),
              "retained-resource-store-v1: surface=s; state=closed; revision=4; entries=0; "
              "owners=0; commands=0; payload=0; validations=2; explicit-comparisons=4; "
              "payload-comparisons=2; admissions=3; rejections=operation-results-only");
    EXPECT_EQ(store.index_node_count(), 0);
    EXPECT_EQ(store.index_bucket_count(), 8192);
    EXPECT_EQ(store.index_probe_count(), probes);
    EXPECT_EQ(store.find_owner_binding("a"), -1);
    EXPECT_EQ(store.find_equal_command(test::command(3, "b")), -1);
    EXPECT_EQ(store.committed_paint_at(0), render_paint{});

    EXPECT_TRUE(store.close());
    EXPECT_EQ(store.revision(), 4);
    const operation_result refused = store.bind_owner(fragment("c", 1, {9}), resources, 4);
    EXPECT_EQ(refused.message, "retained resource store is not open");
    EXPECT_EQ(refused.revision, 4);
    EXPECT_EQ(store.index_probe_count(), probes);
}

TEST(store_close, invalid_store_closes_once) {
    retained_resource_store store("");
    const operation_result refused = store.bind_owner(fragment("a", 1, {1}), delta(), 0);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.message, "retained resource store is not open");
    EXPECT_EQ(store.summary(),
              "retained-resource-store-v1: surface=; state=invalid; revision=0; entries=0; "
              "owners=0; commands=0; payload=0; validations=0; explicit-comparisons=0; "
              "payload-comparisons=0; admissions=0; rejections=operation-results-only");
    EXPECT_TRUE(store.close());
    EXPECT_EQ(store.state(), "closed");
    EXPECT_EQ(store.revision(), 1);
    // Not open beats a wrong revision.
    EXPECT_EQ(store.validate_bind_owner(fragment("a", 1, {1}), delta(), 7).message,
              "retained resource store is not open");
}

}  // namespace
}  // namespace tamo
