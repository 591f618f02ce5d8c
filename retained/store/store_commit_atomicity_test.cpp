#include <gtest/gtest.h>

#include <new>
#include <string>

#include "retained/store/store_test_support.hpp"
#include "runtime/failing_allocation.hpp"

namespace tamo {
namespace {

using test::delta;
using test::fragment;

// A column that must grow for a commit cannot.
constexpr std::size_t largest_allowed = 64 * 1024;

resource_set paints(std::int32_t first, std::int32_t count) {
    resource_set d = delta();
    for (std::int32_t i = first; i < first + count; ++i) {
        d.paints.push_back(test::paint("paint-" + std::to_string(i)));
    }
    return d;
}

// A store whose paint and index columns are full to their capacity.
std::unique_ptr<test::writable_store> store_of_full_columns() {
    auto store = std::make_unique<test::writable_store>(test::surface_name);
    EXPECT_TRUE(store->bind_owner(fragment("a", 1, {1}), paints(0, 10000), 0).ok);
    EXPECT_TRUE(store->bind_owner(fragment("b", 1, {2}), delta(), 1).ok);
    return store;
}

TEST(commit_atomicity, failed_growth_leaves_the_store_unchanged) {
    const auto store = store_of_full_columns();
    const pending_admission pending =
        store->preflight(fragment("c", 1, {3}), paints(10000, 5), 2, 1);
    ASSERT_TRUE(pending.ok);
    const std::string before = store->summary();
    const std::int32_t keys = store->index_node_count();
    const std::int32_t probes = store->index_probe_count();
    {
        const test::large_allocations_fail failing(largest_allowed);
        pending_admission attempt = pending;
        EXPECT_THROW(store->commit_pending_admission(std::move(attempt), 1), std::bad_alloc);
    }
    EXPECT_EQ(store->summary(), before);
    EXPECT_EQ(store->index_node_count(), keys);
    EXPECT_EQ(store->index_probe_count(), probes);
    EXPECT_EQ(store->find_owner_binding("c"), -1);
    EXPECT_TRUE(store->commit_pending_admission(pending, 1).ok);
    EXPECT_EQ(store->paint_count(), 10005);
}

TEST(commit_atomicity, failed_batch_growth_leaves_store_and_batch_unchanged) {
    const auto store = store_of_full_columns();
    const std::vector<retained_fragment> fragments = {fragment("a", 2, {1}), fragment("b", 2, {2})};
    // Item 0 rewrites owner a in place; only item 1 needs the columns to grow.
    const std::vector<resource_set> deltas = {delta(), paints(30000, 3)};
    const auto batch = store->prepare_candidate_batch(fragments, deltas, 2);
    ASSERT_TRUE(batch->accepted()) << batch->message();
    const std::string before = store->summary();
    const std::int32_t keys = store->index_node_count();
    {
        const test::large_allocations_fail failing(largest_allowed);
        EXPECT_THROW(store->commit_prepared_candidate_batch(batch, fragments, deltas),
                     std::bad_alloc);
    }
    EXPECT_EQ(store->summary(), before);
    EXPECT_EQ(store->index_node_count(), keys);
    EXPECT_EQ(store->owner_generation(0), 1);
    EXPECT_FALSE(batch->consumed());
    EXPECT_TRUE(store->commit_prepared_candidate_batch(batch, fragments, deltas).ok);
    EXPECT_EQ(store->paint_count(), 10003);
}

}  // namespace
}  // namespace tamo
