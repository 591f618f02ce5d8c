#include <gtest/gtest.h>

#include "retained/records/record_texts.hpp"
#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::delta;
using test::fragment;

TEST(preflight, refusal_keeps_what_was_resolved_before_it) {
    retained_resource_store store(test::surface_name);
    retained_fragment f = fragment("a", 1, {1, 2, 3});
    f.commands[2].paintId = "missing";
    resource_set d = delta();
    d.paints.push_back(test::paint("p"));
    const pending_admission pending = store.preflight(f, d, 0, 1);
    EXPECT_FALSE(pending.ok);
    EXPECT_EQ(pending.message, "retained resource owner a references missing paint missing");
    EXPECT_EQ(pending.owner.commands.size(), 2u);
    for (const auto* rows :
         {&pending.owner.paint_rows, &pending.owner.image_rows, &pending.owner.glyph_rows,
          &pending.owner.clip_rows, &pending.owner.transform_rows}) {
        EXPECT_EQ(rows->size(), 2u);
    }
    EXPECT_EQ(pending.owner.first_sequence, 1);
    EXPECT_EQ(pending.owner.last_sequence, 3);
    EXPECT_EQ(pending.validations, 1);
    EXPECT_EQ(pending.admitted_paints.size(), 1u);

    const pending_admission early = store.preflight(f, d, 5, 1);
    EXPECT_EQ(early.owner.first_sequence, -1);
    EXPECT_EQ(early.owner.last_sequence, -1);
}

TEST(preflight, accepted_admission_is_complete_and_repeatable) {
    retained_resource_store store(test::surface_name);
    retained_fragment f = fragment("a", 1, {4, 9});
    f.commands[1].paintId = "p";
    f.commands[1].clipId = "c";
    resource_set d = delta();
    d.paints.push_back(test::paint("p"));
    d.clips.push_back(test::clip("c"));
    const pending_admission first = store.preflight(f, d, 0, 1);
    const pending_admission second = store.preflight(f, d, 0, 1);
    ASSERT_TRUE(first.ok);
    EXPECT_EQ(first.message, "ok");
    EXPECT_EQ(first.owner.paint_rows, (std::vector<std::int32_t>{-1, 0}));
    EXPECT_EQ(first.owner.clip_rows, (std::vector<std::int32_t>{-1, 0}));
    EXPECT_EQ(first.owner.owner_id, "a");
    EXPECT_EQ(write_command_record(first.owner.commands[1]), write_command_record(f.commands[1]));
    EXPECT_EQ(second.validations, first.validations);
    EXPECT_EQ(second.index_probes, first.index_probes);
    EXPECT_EQ(store.summary().find("revision=0;") != std::string::npos, true);
    EXPECT_EQ(store.index_probe_count(), 0);
}

TEST(preflight, given_tables_gain_nothing_but_probes) {
    retained_resource_store store(test::surface_name);
    resource_tables tables = make_resource_tables(64);
    resource_set d = delta();
    d.paints.push_back(test::paint("p"));
    retained_fragment f = fragment("a", 1, {1});
    f.commands[0].paintId = "p";
    ASSERT_TRUE(store.preflight_with_tables(f, d, 0, 1, tables).ok);
    EXPECT_TRUE(tables.staged_paints.empty());
    EXPECT_EQ(tables.staged_keys.entry_count(), 0);
    EXPECT_EQ(tables.staged_key_count, 0);
}

TEST(preflight, descending_sequences_would_have_taken_another_owners_key) {
    retained_resource_store store(test::surface_name);
    ASSERT_TRUE(store.bind_owner(fragment("a", 1, {10, 20}), delta(), 0).ok);
    // First 30 and last 40 lie clear of a's range, but 20 is a's.
    const operation_result result = store.bind_owner(fragment("b", 1, {30, 20, 40}), delta(), 1);
    EXPECT_EQ(result.message, "retained resource owner b command sequences must strictly ascend");
    EXPECT_EQ(store.owner_of_equal_command(test::command(20, "a")), 0);
    EXPECT_EQ(store.revision(), 1);
}

}  // namespace
}  // namespace tamo
