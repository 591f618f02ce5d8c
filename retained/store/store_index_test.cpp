#include <gtest/gtest.h>

#include <string>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::writable_store;

TEST(store_index, keys_of_every_kind) {
    writable_store store(test::surface_name);
    store.put_paint(test::paint("p1"));
    store.put_image(test::image("img", 3));
    store.put_glyph(test::glyph('a'));
    store.put_clip(test::clip("c"));
    store.put_transform(test::transform("t"));
    store.apply_pending_admission(test::accepted_admission(test::fragment("o1", 1, {-4})), 1);

    const struct {
        std::string key;
        std::int32_t row;
    } keys[] = {
        {"5:paint:2:p1:0", 0},
        {"16:image-generation:3:img:3", 0},
        {"12:image-latest:3:img:0", 0},
        {"5:glyph:71:sha256:" + std::string(64, 'a') + ":0", 0},
        {"4:clip:1:c:0", 0},
        {"9:transform:1:t:0", 0},
        {"7:binding:2:o1:0", 0},
        {"16:command-sequence:0::-4", 0},
    };
    for (const auto& k : keys) {
        EXPECT_EQ(store.index_find(k.key), k.row) << k.key;
    }
    EXPECT_EQ(store.index_node_count(), 8);
    EXPECT_EQ(store.find_owner_binding("o1"), 0);
    // Owner ids and resource ids live in separate key spaces.
    EXPECT_EQ(store.find_owner_binding("p1"), -1);
    EXPECT_EQ(store.index_find("5:paint:2:o1:0"), -1);
}

TEST(store_index, new_store_answers_none) {
    retained_resource_store store(test::surface_name);
    pending_admission pending = make_pending_admission("o", 1);
    resource_tables tables = make_resource_tables(1);
    EXPECT_EQ(store.resolve_paint(pending, tables, "p"), -1);
    EXPECT_EQ(store.resolve_image_generation(pending, tables, "i", 1), -1);
    EXPECT_EQ(store.latest_image_generation(pending, tables, "i"), 0);
    EXPECT_EQ(store.resolve_glyph(pending, tables, "g"), -1);
    EXPECT_EQ(store.resolve_clip(pending, tables, "c"), -1);
    EXPECT_EQ(store.resolve_transform(pending, tables, "t"), -1);
    EXPECT_EQ(store.find_owner_binding_counted(pending, "o"), -1);
    EXPECT_EQ(pending.index_probes, 0);
    EXPECT_EQ(tables.scratch_probe_total(), 0);
}

// "aaa", "hri" and "pbq" give paint keys of one bucket of 8192.
TEST(store_index, colliding_paint_ids_count_their_chain) {
    writable_store store(test::surface_name);
    ASSERT_EQ(string_index_hash("5:paint:3:aaa:0", 8192),
              string_index_hash("5:paint:3:hri:0", 8192));
    ASSERT_EQ(string_index_hash("5:paint:3:aaa:0", 8192),
              string_index_hash("5:paint:3:pbq:0", 8192));
    store.put_paint(test::paint("aaa"));
    EXPECT_EQ(store.index_probe_count(), 0);
    store.put_paint(test::paint("hri"));
    EXPECT_EQ(store.index_probe_count(), 1);
    store.put_paint(test::paint("pbq"));
    EXPECT_EQ(store.index_probe_count(), 3);

    const struct {
        const char* id;
        std::int32_t row;
        std::int32_t probes;
    } lookups[] = {{"pbq", 2, 1}, {"hri", 1, 2}, {"aaa", 0, 3}};
    for (const auto& l : lookups) {
        pending_admission pending = make_pending_admission("o", 1);
        resource_tables tables = make_resource_tables(1);
        EXPECT_EQ(store.resolve_paint(pending, tables, l.id), l.row);
        EXPECT_EQ(pending.index_probes, l.probes) << l.id;
    }
    // Plain lookups count nothing anywhere.
    EXPECT_EQ(store.index_find("5:paint:3:aaa:0"), 0);
    EXPECT_EQ(store.index_probe_count(), 3);
}

TEST(store_index, put_of_present_key_overwrites_and_counts) {
    writable_store store(test::surface_name);
    store.index_put("k", 1);
    store.index_put("k", 2);
    EXPECT_EQ(store.index_find("k"), 2);
    EXPECT_EQ(store.index_node_count(), 1);
    EXPECT_EQ(store.index_probe_count(), 1);
}

TEST(store_index, latest_generation_follows_the_row_stored_last) {
    writable_store store(test::surface_name);
    store.put_image(test::image("img", 1));
    store.put_image(test::image("img", 2));
    EXPECT_EQ(store.index_node_count(), 3);
    EXPECT_EQ(store.index_find("12:image-latest:3:img:0"), 1);
    pending_admission pending = make_pending_admission("o", 1);
    resource_tables tables = make_resource_tables(1);
    EXPECT_EQ(store.latest_image_generation(pending, tables, "img"), 2);
    EXPECT_EQ(store.resolve_image_generation(pending, tables, "img", 1), 0);
    // A miss in an empty bucket compares nothing.
    EXPECT_EQ(store.resolve_image_generation(pending, tables, "img", 3), -1);
    EXPECT_EQ(pending.index_probes, 2);
}

TEST(store_index, staged_keys_shadow_the_store) {
    writable_store store(test::surface_name);
    for (const char* id : {"p0", "p1", "p2"}) {
        store.put_paint(test::paint(id));
    }
    store.put_image(test::image("img", 1));
    resource_tables tables = make_resource_tables(4);
    tables.staged_paints.push_back(test::paint("p1"));
    tables.staged_keys.put("5:paint:2:p1:0", 3);
    tables.staged_images.push_back(test::image("img", 2));
    tables.staged_keys.put("12:image-latest:3:img:0", 1);

    pending_admission pending = make_pending_admission("o", 1);
    EXPECT_EQ(store.resolve_paint(pending, tables, "p1"), 3);
    EXPECT_EQ(pending.index_probes, 0);
    EXPECT_EQ(store.latest_image_generation(pending, tables, "img"), 2);
    EXPECT_EQ(store.resolve_paint(pending, tables, "p2"), 2);
    EXPECT_EQ(pending.index_probes, 1);
    EXPECT_GT(tables.staged_keys.probe_count(), 0);
}

TEST(store_index, staged_rows_outside_the_staged_lists_are_not_found) {
    writable_store store(test::surface_name);
    store.put_paint(test::paint("p"));
    resource_tables tables = make_resource_tables(1);
    tables.staged_keys.put("5:paint:1:p:0", 7);
    tables.staged_keys.put("5:paint:1:q:0", 1);
    tables.staged_keys.put("12:image-latest:1:i:0", 0);
    pending_admission pending = make_pending_admission("o", 1);
    // The stored row answers instead of the bogus staged one.
    EXPECT_EQ(store.resolve_paint(pending, tables, "p"), 0);
    EXPECT_EQ(store.resolve_paint(pending, tables, "q"), -1);
    EXPECT_EQ(store.latest_image_generation(pending, tables, "i"), 0);
}

TEST(store_index, closed_store_finds_nothing) {
    writable_store store(test::surface_name);
    store.apply_pending_admission(test::accepted_admission(test::fragment("o", 1, {1})), 1);
    store.put_paint(test::paint("p"));
    const std::int32_t probes = store.index_probe_count();
    ASSERT_TRUE(store.close());
    EXPECT_EQ(store.find_owner_binding("o"), -1);
    EXPECT_EQ(store.index_node_count(), 0);
    EXPECT_EQ(store.index_bucket_count(), 8192);
    pending_admission pending = make_pending_admission("o", 1);
    resource_tables tables = make_resource_tables(1);
    EXPECT_EQ(store.resolve_paint(pending, tables, "p"), -1);
    EXPECT_EQ(store.find_owner_binding_counted(pending, "o"), -1);
    EXPECT_EQ(pending.index_probes, 0);
    EXPECT_EQ(store.index_probe_count(), probes);
}

}  // namespace
}  // namespace tamo
