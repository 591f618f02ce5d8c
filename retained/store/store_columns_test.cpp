#include <gtest/gtest.h>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::writable_store;

TEST(store_columns, records_read_back_as_stored) {
    writable_store store(test::surface_name);
    render_image loading = test::placeholder_image("img", 4);
    store.put_paint(test::paint("p1"));
    store.put_image(test::image("img", 3));
    store.put_image(loading);
    store.put_glyph(test::glyph('b'));
    store.put_clip(test::clip("c"));
    store.put_transform(test::transform("t"));

    EXPECT_EQ(store.committed_paint_at(0), test::paint("p1"));
    EXPECT_EQ(store.committed_image_at(0), test::image("img", 3));
    EXPECT_EQ(store.committed_image_at(1), loading);
    EXPECT_FALSE(store.committed_image_at(1).resident);
    EXPECT_EQ(store.committed_glyph_at(0), test::glyph('b'));
    EXPECT_EQ(store.committed_clip_at(0), test::clip("c"));
    EXPECT_EQ(store.committed_transform_at(0), test::transform("t"));
    EXPECT_EQ(store.entry_count(), 6);
    EXPECT_EQ(store.image_count(), 2);
    // Stores count no payload themselves; apply does.
    EXPECT_EQ(store.payload_total(), 0);
}

TEST(store_columns, glyph_format_reads_as_the_admitted_constant) {
    writable_store store(test::surface_name);
    render_glyph_alpha odd = test::glyph('c');
    odd.format = "something-else";
    store.put_glyph(odd);
    EXPECT_EQ(store.committed_glyph_at(0).format, "a8-unorm-hex");
}

TEST(store_columns, out_of_range_rows_read_as_none) {
    writable_store store(test::surface_name);
    store.put_paint(test::paint("p"));
    store.apply_pending_admission(test::accepted_admission(test::fragment("o", 1, {1})), 1);
    for (std::int32_t row : {-1, 1, 2147483647}) {
        EXPECT_EQ(store.committed_paint_at(row), render_paint{}) << row;
        EXPECT_EQ(store.committed_image_at(row), render_image{});
        EXPECT_EQ(store.committed_glyph_at(row), render_glyph_alpha{});
        EXPECT_EQ(store.committed_clip_at(row), render_clip{});
        EXPECT_EQ(store.committed_transform_at(row), render_transform{});
        EXPECT_EQ(store.command_owner_row(row), -1);
        EXPECT_EQ(store.command_paint_row(row), -1);
        EXPECT_EQ(store.command_transform_row(row), -1);
        EXPECT_EQ(store.owner_generation(row), -1);
        EXPECT_EQ(store.owner_command_paint_row(0, row), -1);
        EXPECT_EQ(store.owner_command_clip_row(row, 0), -1);
    }
    resource_tables tables = make_resource_tables(1);
    EXPECT_EQ(store.paint_at(tables, 1), render_paint{});
    EXPECT_EQ(store.paint_at(tables, -1), render_paint{});
    EXPECT_EQ(store.command_owner_row(0), 0);
    EXPECT_EQ(store.owner_generation(0), 1);
}

TEST(store_columns, combined_reads_cover_stored_then_staged_rows) {
    writable_store store(test::surface_name);
    store.put_clip(test::clip("c0"));
    store.put_clip(test::clip("c1"));
    resource_tables tables = make_resource_tables(1);
    tables.staged_clips.push_back(test::clip("c2"));
    EXPECT_EQ(store.clip_at(tables, 1).id, "c1");
    EXPECT_EQ(store.clip_at(tables, 2).id, "c2");
    EXPECT_EQ(store.clip_at(tables, 3), render_clip{});
}

TEST(store_columns, equal_command_is_found_by_sequence_and_text) {
    writable_store store(test::surface_name);
    store.apply_pending_admission(test::accepted_admission(test::fragment("a", 1, {1, 2})), 1);
    store.apply_pending_admission(test::accepted_admission(test::fragment("b", 1, {5})), 1);
    const render_command stored = test::command(5, "b");
    EXPECT_EQ(store.find_equal_command(stored), 2);
    EXPECT_EQ(store.owner_of_equal_command(stored), 1);

    render_command changed = stored;
    changed.auxValues[17] = -1;
    EXPECT_EQ(store.find_equal_command(changed), -1);
    EXPECT_EQ(store.owner_of_equal_command(changed), -1);
    EXPECT_EQ(store.find_equal_command(test::command(9, "b")), -1);

    // Replacing the row in place: the new command is found there, the old one not.
    store.replace_command(2, changed, -1, -1, -1, -1, -1);
    EXPECT_EQ(store.find_equal_command(changed), 2);
    EXPECT_EQ(store.owner_of_equal_command(changed), 1);
    EXPECT_EQ(store.find_equal_command(stored), -1);

    store.close();
    EXPECT_EQ(store.find_equal_command(changed), -1);
    EXPECT_EQ(store.owner_of_equal_command(changed), -1);
}

TEST(store_columns, command_rows_hold_their_resolved_rows) {
    writable_store store(test::surface_name);
    store.append_command(3, test::command(1, "o"), 4, 5, 6, 7, 8);
    EXPECT_EQ(store.command_owner_row(0), 3);
    EXPECT_EQ(store.command_paint_row(0), 4);
    EXPECT_EQ(store.command_image_row(0), 5);
    EXPECT_EQ(store.command_glyph_row(0), 6);
    EXPECT_EQ(store.command_clip_row(0), 7);
    EXPECT_EQ(store.command_transform_row(0), 8);
    // Appending a command writes no key of its own.
    EXPECT_EQ(store.index_node_count(), 0);
}

}  // namespace
}  // namespace tamo
