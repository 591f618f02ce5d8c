#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamo {

// Bucket of a key among bucket_count buckets: h = 17, then per byte
// h = (h * 33 + code) mod N, where code is the byte's 1-based place in
// "a-zA-Z0-9._-:/@" and 71 for any other byte. The empty key yields 17 unreduced.
std::int32_t string_index_hash(std::string_view key, std::int32_t bucket_count);

// Text-to-row hash map with a fixed bucket count, newest-first chains and a
// counter of the chain entries that lookups compare. Entries are only appended.
class string_index_map {
  public:
    // A bucket count below 1 is taken as 1.
    explicit string_index_map(std::int32_t bucket_count);

    std::int32_t bucket_of(std::string_view key) const;

    // Overwrites the value of a present key or appends a new chain head;
    // counts nothing.
    void put(std::string_view key, std::int32_t value);
    // The same walk, each compared entry added to probe_count().
    void put_counted(std::string_view key, std::int32_t value);

    // The value or -1; each compared entry is added to probe_count().
    std::int32_t find(std::string_view key);
    // The value or -1, counting nothing.
    std::int32_t find_uncounted(std::string_view key) const;
    // The value or -1; each compared entry is added to probes.
    std::int32_t find_counting_into(std::string_view key, std::int32_t& probes) const;

    std::int32_t bucket_count() const { return bucket_count_; }
    std::int32_t entry_count() const { return static_cast<std::int32_t>(keys_.size()); }
    std::int32_t probe_count() const { return probe_count_; }
    void add_probes(std::int32_t probes);

    // Room for more entries, so that later puts allocate nothing.
    void reserve_entries(std::size_t additional);
    // Drops every entry; the bucket count and the probe count stay.
    void clear_entries();

  private:
    // Entry number of the key or -1; each compared entry is added to probes.
    std::int32_t locate(std::string_view key, std::int32_t& probes) const;
    // Bucket a key is stored and looked up under: its hash, except for the
    // empty key in a map of 17 or fewer buckets, whose hash of 17 lies
    // outside the buckets and which takes 17 mod N instead.
    std::int32_t storage_bucket(std::string_view key) const;
    void put_walk(std::string_view key, std::int32_t value, std::int32_t& probes);

    std::int32_t bucket_count_;
    std::vector<std::int32_t> heads_;
    std::vector<std::string> keys_;
    std::vector<std::int32_t> values_;
    std::vector<std::int32_t> next_;
    std::int32_t probe_count_ = 0;
};

}  // namespace tamo
