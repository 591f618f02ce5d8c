#include <gtest/gtest.h>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::writable_store;

// Three stored paints, two staged by an earlier batch item.
class combined_rows : public ::testing::Test {
  protected:
    combined_rows() {
        pending_admission stored = test::accepted_admission(test::fragment("a", 1, {1}));
        for (const char* id : {"s0", "s1", "s2"}) {
            stored.admitted_paints.push_back(test::paint(id));
        }
        stored.admitted_images.push_back(test::image("img", 2));
        store.commit_pending_admission(stored, 1);

        pending_admission earlier = make_pending_admission("b", 1);
        earlier.admitted_paints = {test::paint("t0"), test::paint("t1")};
        earlier.admitted_images.push_back(test::image("img", 3));
        store.stage_pending_admission(earlier, tables);
    }

    writable_store store{test::surface_name};
    resource_tables tables = make_resource_tables(64);
};

TEST_F(combined_rows, number_stored_then_staged_then_new_records) {
    pending_admission pending = make_pending_admission("c", 1);
    pending.admitted_paints = {test::paint("n0"), test::paint("n1")};
    pending.admitted_images = {test::image("img", 4), test::image("img", 5)};
    const struct {
        const char* id;
        std::int32_t row;
    } paints[] = {{"s0", 0}, {"s2", 2}, {"t0", 3}, {"t1", 4}, {"n0", 5}, {"n1", 6}, {"N0", -1}};
    for (const auto& p : paints) {
        EXPECT_EQ(store.resolve_paint_reference(pending, tables, p.id), p.row) << p.id;
    }
    const struct {
        std::int32_t generation;
        std::int32_t row;
    } images[] = {{2, 0}, {3, 1}, {4, 2}, {5, 3}, {1, -1}, {6, -1}};
    for (const auto& i : images) {
        EXPECT_EQ(store.resolve_image_reference(pending, tables, "img", i.generation), i.row)
            << i.generation;
    }
    EXPECT_EQ(store.latest_image_generation(pending, tables, "img"), 3);
}

TEST_F(combined_rows, stored_or_staged_record_wins_over_an_admitted_one) {
    pending_admission pending = make_pending_admission("c", 1);
    pending.admitted_paints = {test::paint("s1"), test::paint("t1")};
    EXPECT_EQ(store.resolve_paint_reference(pending, tables, "s1"), 1);
    EXPECT_EQ(store.resolve_paint_reference(pending, tables, "t1"), 4);
}

TEST_F(combined_rows, other_kinds_resolve_alike) {
    pending_admission pending = make_pending_admission("c", 1);
    pending.admitted_glyphs = {test::glyph('a')};
    pending.admitted_clips = {test::clip("c0"), test::clip("c1")};
    pending.admitted_transforms = {test::transform("t")};
    EXPECT_EQ(store.resolve_glyph_reference(pending, tables, test::glyph('a').id), 0);
    EXPECT_EQ(store.resolve_glyph_reference(pending, tables, test::glyph('A').id), -1);
    EXPECT_EQ(store.resolve_clip_reference(pending, tables, "c1"), 1);
    EXPECT_EQ(store.resolve_clip_reference(pending, tables, "C1"), -1);
    EXPECT_EQ(store.resolve_transform_reference(pending, tables, "t"), 0);
    EXPECT_EQ(store.resolve_transform_reference(pending, tables, "identity"), -1);
}

TEST_F(combined_rows, staging_counts_keys_payload_and_rows) {
    // The earlier item: two paints (2 keys) and generation 3 of an image the
    // store holds at generation 2 (1 key: its latest key exists).
    EXPECT_EQ(tables.staged_key_count, 3);
    EXPECT_EQ(tables.staged_payload_bytes, 4);
    EXPECT_EQ(tables.staged_keys.find("5:paint:2:t1:0"), 4);
    EXPECT_EQ(tables.staged_keys.find("12:image-latest:3:img:0"), 1);

    pending_admission next = make_pending_admission("c", 1);
    next.admitted_images = {test::image("new", 1), test::image("new", 2)};
    next.admitted_glyphs = {test::glyph('f')};
    next.admitted_clips = {test::clip("c")};
    next.admitted_transforms = {test::transform("t")};
    const std::string before = store.summary();
    const std::int32_t store_probes = store.index_probe_count();
    store.stage_pending_admission(next, tables);

    // Generation 1 of "new" adds two keys, generation 2 one more.
    EXPECT_EQ(tables.staged_key_count, 3 + 3 + 1 + 1 + 1);
    EXPECT_EQ(tables.staged_payload_bytes, 4 + 8 + 2);
    EXPECT_EQ(tables.staged_keys.find("12:image-latest:3:new:0"), 3);
    EXPECT_EQ(tables.staged_keys.find("4:clip:1:c:0"), 0);
    EXPECT_EQ(store.summary(), before);
    EXPECT_EQ(store.index_probe_count(), store_probes);
    EXPECT_EQ(store.index_node_count(), 7);
}

TEST_F(combined_rows, staging_nothing_changes_nothing) {
    const std::int32_t keys = tables.staged_key_count;
    const std::int32_t probes = tables.scratch_probe_total();
    store.stage_pending_admission(make_pending_admission("c", 1), tables);
    EXPECT_EQ(tables.staged_key_count, keys);
    EXPECT_EQ(tables.staged_paints.size(), 2u);
    EXPECT_EQ(tables.scratch_probe_total(), probes);
}

TEST(store_staging, staged_clip_takes_the_next_combined_row) {
    writable_store store(test::surface_name);
    pending_admission stored = test::accepted_admission(test::fragment("a", 1, {1}));
    stored.admitted_clips = {test::clip("c0"), test::clip("c1"), test::clip("c2")};
    store.commit_pending_admission(stored, 1);
    resource_tables tables = make_resource_tables(64);
    pending_admission first = make_pending_admission("b", 1);
    first.admitted_clips = {test::clip("d0")};
    store.stage_pending_admission(first, tables);
    pending_admission second = make_pending_admission("c", 1);
    second.admitted_clips = {test::clip("d1")};
    store.stage_pending_admission(second, tables);

    pending_admission later = make_pending_admission("d", 1);
    EXPECT_EQ(store.resolve_clip_reference(later, tables, "d1"), 4);
    EXPECT_EQ(store.clip_at(tables, 4).id, "d1");
}

}  // namespace
}  // namespace tamo
