#include <gtest/gtest.h>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::writable_store;

// Owner "a" with three commands, the first painting with "p1".
pending_admission binding_of_a() {
    retained_fragment f = test::fragment("a", 1, {10, 11, 12});
    f.commands[0].paintId = "p1";
    pending_admission p = test::accepted_admission(f);
    p.admitted_paints.push_back(test::paint("p1"));
    p.owner.paint_rows[0] = 0;
    return p;
}

TEST(store_apply, binding_appends_owner_commands_and_keys) {
    writable_store store(test::surface_name);
    const operation_result result = store.commit_pending_admission(binding_of_a(), 1);
    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.revision, 1);
    EXPECT_EQ(result.message, "ok");
    EXPECT_EQ(store.revision(), 1);
    EXPECT_EQ(store.admission_count(), 1);
    EXPECT_EQ(store.paint_count(), 1);
    EXPECT_EQ(store.owner_count(), 1);
    EXPECT_EQ(store.command_count(), 3);
    EXPECT_EQ(store.index_node_count(), 5);
    for (std::int32_t row = 0; row < 3; ++row) {
        EXPECT_EQ(store.command_owner_row(row), 0);
        EXPECT_EQ(store.find_equal_command(test::command(10 + row, "a")) >= 0, row != 0);
    }
    EXPECT_EQ(store.owner_command_paint_row(0, 0), 0);
    EXPECT_EQ(store.owner_command_paint_row(0, 1), -1);
    EXPECT_EQ(store.index_find("16:command-sequence:0::12"), 2);

    store.commit_pending_admission(test::accepted_admission(test::fragment("b", 1, {20})), 1);
    EXPECT_EQ(store.find_owner_binding("b"), 1);
    EXPECT_EQ(store.index_find("16:command-sequence:0::20"), 3);
    EXPECT_EQ(store.command_owner_row(3), 1);
    EXPECT_EQ(store.revision(), 2);
}

TEST(store_apply, update_rewrites_the_owner_rows_in_place) {
    writable_store store(test::surface_name);
    store.commit_pending_admission(binding_of_a(), 1);
    store.commit_pending_admission(test::accepted_admission(test::fragment("b", 1, {20})), 1);
    const std::int32_t keys = store.index_node_count();

    retained_fragment update = test::fragment("a", 2, {10, 11, 12});
    update.commands[1].kind = "image";
    update.commands[1].resourceId = "img";
    update.commands[1].imageGeneration = 1;
    pending_admission p = test::accepted_admission(update);
    p.admitted_images.push_back(test::image("img", 1));
    p.owner.image_rows[1] = 0;
    const operation_result result = store.commit_pending_admission(p, 0);

    EXPECT_TRUE(result.ok);
    EXPECT_EQ(result.revision, 3);
    EXPECT_EQ(store.owner_count(), 2);
    EXPECT_EQ(store.command_count(), 4);
    EXPECT_EQ(store.owner_generation(0), 2);
    EXPECT_EQ(store.find_equal_command(update.commands[1]), 1);
    EXPECT_EQ(store.command_owner_row(1), 0);
    EXPECT_EQ(store.owner_command_image_row(0, 1), 0);
    // The paint no command refers to any more stays stored.
    EXPECT_EQ(store.owner_command_paint_row(0, 0), -1);
    EXPECT_EQ(store.paint_count(), 1);
    EXPECT_EQ(store.entry_count(), 2);
    EXPECT_EQ(store.payload_total(), 4);
    EXPECT_EQ(store.index_node_count(), keys + 2);
    // Owner b is untouched.
    EXPECT_EQ(store.command_owner_row(3), 1);
}

TEST(store_apply, new_image_generation_keeps_the_old_one) {
    writable_store store(test::surface_name);
    pending_admission first = test::accepted_admission(test::fragment("a", 1, {1}));
    first.admitted_images.push_back(test::image("img", 1));
    store.commit_pending_admission(first, 1);
    pending_admission second = test::accepted_admission(test::fragment("a", 2, {1}));
    second.admitted_images.push_back(test::image("img", 2));
    store.commit_pending_admission(second, 0);

    EXPECT_EQ(store.image_count(), 2);
    EXPECT_EQ(store.payload_total(), 8);
    EXPECT_EQ(store.index_find("16:image-generation:3:img:1"), 0);
    EXPECT_EQ(store.index_find("12:image-latest:3:img:0"), 1);
}

TEST(store_apply, commit_adds_the_admission_counters) {
    pending_admission p = binding_of_a();
    p.validations = 2;
    p.explicit_comparisons = 3;
    p.payload_comparisons = 1;
    p.index_probes = 4;
    writable_store applied(test::surface_name);
    applied.apply_pending_admission(p, 1);
    writable_store committed(test::surface_name);
    const operation_result result = committed.commit_pending_admission(p, 1);

    EXPECT_EQ(result.validations, 2);
    EXPECT_EQ(result.explicit_comparisons, 3);
    EXPECT_EQ(result.payload_comparisons, 1);
    EXPECT_EQ(committed.validation_count(), 2);
    EXPECT_EQ(committed.explicit_comparison_count(), 3);
    EXPECT_EQ(committed.payload_comparison_count(), 1);
    EXPECT_EQ(committed.index_probe_count(), applied.index_probe_count() + 4);
    // Apply alone moves neither the revision nor the work counters.
    EXPECT_EQ(applied.revision(), 0);
    EXPECT_EQ(applied.admission_count(), 0);
    EXPECT_EQ(applied.validation_count(), 0);
    EXPECT_EQ(applied.command_count(), 3);
}

TEST(store_apply, refused_admission_is_not_committed) {
    writable_store store(test::surface_name);
    store.commit_pending_admission(binding_of_a(), 1);
    const std::string before = store.summary();
    const std::int32_t keys = store.index_node_count();

    pending_admission refused = test::accepted_admission(test::fragment("b", 1, {20}));
    refused.ok = false;
    refused.message = "retained resource store stale revision: expected 0, current 1";
    refused.validations = 5;
    const operation_result result = store.commit_pending_admission(refused, 1);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.revision, 1);
    EXPECT_EQ(result.validations, 0);
    EXPECT_EQ(result.message, refused.message);
    EXPECT_EQ(store.summary(), before);
    EXPECT_EQ(store.index_node_count(), keys);
    EXPECT_EQ(store.find_owner_binding("b"), -1);

    const operation_result unfinished =
        store.commit_pending_admission(make_pending_admission("c", 1), 1);
    EXPECT_EQ(unfinished.message, "preflight-not-complete");
    EXPECT_EQ(store.summary(), before);
}

TEST(store_apply, admission_without_rows_or_range_writes_nothing) {
    writable_store store(test::surface_name);
    store.commit_pending_admission(binding_of_a(), 1);
    const std::string before = store.summary();

    pending_admission missing_rows = test::accepted_admission(test::fragment("b", 1, {20}));
    missing_rows.owner.clip_rows.clear();
    missing_rows.admitted_paints.push_back(test::paint("p2"));
    store.apply_pending_admission(missing_rows, 1);
    // An update of an unbound owner, and one with another command count.
    store.apply_pending_admission(test::accepted_admission(test::fragment("z", 2, {30})), 0);
    store.apply_pending_admission(test::accepted_admission(test::fragment("a", 2, {10})), 0);
    EXPECT_EQ(store.summary(), before);
    EXPECT_EQ(store.paint_count(), 1);
}

}  // namespace
}  // namespace tamo
