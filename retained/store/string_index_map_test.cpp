#include "retained/store/string_index_map.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tamo {
namespace {

struct hash_case {
    std::string key;
    std::int32_t buckets;
    std::int32_t bucket;
};

TEST(string_index_hash, matches_worked_values) {
    const hash_case cases[] = {
        {"a", 8192, 562},
        {"a", 64, 50},
        {"ab", 8192, 2164},
        {"ab", 64, 52},
        {"5:paint:1:p:0", 8192, 4618},
        {"5:paint:1:p:0", 64, 10},
        {"7:binding:2:o1:0", 8192, 8129},
        {"7:binding:2:o1:0", 64, 1},
        {"16:command-sequence:0::7", 8192, 500},
        {"16:command-sequence:0::7", 64, 52},
        // Bytes outside the alphabet, each byte of a UTF-8 letter included, count 71.
        {" ", 8192, (17 * 33 + 71) % 8192},
        {"\xc3\xa9", 8192, ((17 * 33 + 71) * 33 + 71) % 8192},
        {std::string(1, '\0'), 8192, (17 * 33 + 71) % 8192},
        // Case matters.
        {"A", 64, (17 * 33 + 27) % 64},
        // The empty key is 17, unreduced.
        {"", 8192, 17},
        {"", 4, 17},
    };
    for (const hash_case& c : cases) {
        EXPECT_EQ(string_index_hash(c.key, c.buckets), c.bucket) << c.key << " / " << c.buckets;
    }
}

TEST(string_index_hash, stays_within_huge_bucket_counts) {
    // Signed arithmetic would wrap negative here.
    const std::int32_t huge = 2147483647;
    const std::string key(64, '@');
    const std::int32_t bucket = string_index_hash(key, huge);
    EXPECT_GE(bucket, 0);
    EXPECT_LT(bucket, huge);
    EXPECT_GE(string_index_hash(key, 100000000), 0);
}

TEST(string_index_map, fresh_map_misses_without_counting) {
    string_index_map map(8);
    EXPECT_EQ(map.bucket_count(), 8);
    EXPECT_EQ(map.entry_count(), 0);
    EXPECT_EQ(map.find("a"), -1);
    EXPECT_EQ(map.find(""), -1);
    EXPECT_EQ(map.probe_count(), 0);
}

TEST(string_index_map, bucket_count_below_one_becomes_one) {
    string_index_map zero(0);
    string_index_map negative(-5);
    EXPECT_EQ(zero.bucket_count(), 1);
    EXPECT_EQ(negative.bucket_count(), 1);
    negative.put("k", 3);
    EXPECT_EQ(negative.find("k"), 3);
}

TEST(string_index_map, chains_run_newest_first) {
    // One bucket: every key shares one chain.
    string_index_map map(1);
    map.put("old", 1);
    map.put("new", 2);
    EXPECT_EQ(map.probe_count(), 0);
    EXPECT_EQ(map.find("new"), 2);
    EXPECT_EQ(map.probe_count(), 1);
    EXPECT_EQ(map.find("old"), 1);
    EXPECT_EQ(map.probe_count(), 3);
    EXPECT_EQ(map.find("missing"), -1);
    EXPECT_EQ(map.probe_count(), 5);
}

TEST(string_index_map, put_of_present_key_replaces_value_only) {
    string_index_map map(1);
    map.put("old", 1);
    map.put("new", 2);
    map.put("old", 7);
    EXPECT_EQ(map.entry_count(), 2);
    EXPECT_EQ(map.probe_count(), 0);
    // "old" kept its place behind "new".
    EXPECT_EQ(map.find("old"), 7);
    EXPECT_EQ(map.probe_count(), 2);
}

TEST(string_index_map, counted_put_counts_its_walk) {
    string_index_map map(1);
    map.put_counted("a", 0);
    EXPECT_EQ(map.probe_count(), 0);
    map.put_counted("b", 1);
    EXPECT_EQ(map.probe_count(), 1);
    map.put_counted("c", 2);
    EXPECT_EQ(map.probe_count(), 3);
    map.put_counted("a", 9);
    EXPECT_EQ(map.probe_count(), 6);
    EXPECT_EQ(map.entry_count(), 3);
}

TEST(string_index_map, uncounted_and_external_lookups) {
    string_index_map map(1);
    map.put("a", 4);
    map.put("b", 5);
    EXPECT_EQ(map.find_uncounted("a"), 4);
    std::int32_t probes = 10;
    EXPECT_EQ(map.find_counting_into("a", probes), 4);
    EXPECT_EQ(probes, 12);
    EXPECT_EQ(map.probe_count(), 0);
}

TEST(string_index_map, keys_are_byte_exact) {
    string_index_map map(8192);
    map.put("a", 1);
    EXPECT_EQ(map.find("A"), -1);
    EXPECT_EQ(map.find("a "), -1);
    EXPECT_EQ(map.find("a"), 1);
}

TEST(string_index_map, empty_key_in_small_map_is_found_where_it_is_stored) {
    // The empty key hashes to 17, beyond the buckets of a map of 4: it is
    // stored and looked up in bucket 17 mod 4 = 1, the chain of "d".
    string_index_map map(4);
    map.put("", 3);
    map.put("", 4);
    EXPECT_EQ(map.entry_count(), 1);
    EXPECT_EQ(map.bucket_of(""), 17);
    map.put("d", 8);
    ASSERT_EQ(map.bucket_of("d"), 1);
    EXPECT_EQ(map.find("d"), 8);
    EXPECT_EQ(map.probe_count(), 1);
    EXPECT_EQ(map.find(""), 4);
    EXPECT_EQ(map.probe_count(), 3);
    EXPECT_EQ(map.find_uncounted(""), 4);

    string_index_map single(1);
    single.put("", 6);
    EXPECT_EQ(single.find(""), 6);

    string_index_map large(64);
    large.put("", 5);
    EXPECT_EQ(large.find(""), 5);
}

TEST(string_index_map, copies_carry_their_probe_count) {
    string_index_map map(1);
    map.put("a", 1);
    map.find("a");
    string_index_map copy = map;
    EXPECT_EQ(copy.probe_count(), 1);
    copy.find("a");
    copy.put("b", 2);
    EXPECT_EQ(copy.probe_count(), 2);
    EXPECT_EQ(map.probe_count(), 1);
    EXPECT_EQ(map.find("b"), -1);
}

TEST(string_index_map, clearing_keeps_buckets_and_probes) {
    string_index_map map(16);
    map.put("a", 1);
    map.find("a");
    map.clear_entries();
    EXPECT_EQ(map.entry_count(), 0);
    EXPECT_EQ(map.bucket_count(), 16);
    EXPECT_EQ(map.probe_count(), 1);
    EXPECT_EQ(map.find("a"), -1);
    EXPECT_EQ(map.probe_count(), 1);
    map.put("a", 2);
    EXPECT_EQ(map.find("a"), 2);
}

TEST(string_index_map, probe_count_saturates) {
    string_index_map map(1);
    map.put("a", 1);
    map.add_probes(2147483647);
    map.find("a");
    EXPECT_EQ(map.probe_count(), 2147483647);
}

}  // namespace
}  // namespace tamo
