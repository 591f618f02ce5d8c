#include "retained/store/string_index_map.hpp"

#include "retained/store/column_growth.hpp"
#include "retained/store/saturating_counter.hpp"

namespace tamo {
namespace {

constexpr std::uint32_t unknown_byte_code = 71;

// 1-based position in "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-:/@",
// 71 for any other byte.
std::uint32_t byte_code(unsigned char byte) {
    if (byte >= 'a' && byte <= 'z') {
        return byte - 'a' + 1u;
    }
    if (byte >= 'A' && byte <= 'Z') {
        return byte - 'A' + 27u;
    }
    if (byte >= '0' && byte <= '9') {
        return byte - '0' + 53u;
    }
    switch (byte) {
        case '.':
            return 63;
        case '_':
            return 64;
        case '-':
            return 65;
        case ':':
            return 66;
        case '/':
            return 67;
        case '@':
            return 68;
        default:
            return unknown_byte_code;
    }
}

constexpr std::int32_t empty_key_hash = 17;

}  // namespace

std::int32_t string_index_hash(std::string_view key, std::int32_t bucket_count) {
    if (key.empty()) {
        return empty_key_hash;
    }
    // h = (h * 33 + code) mod N at every byte gives the same remainder as
    // reducing only before 64 bits could overflow; exact arithmetic also
    // keeps the bucket below N however large N is.
    const std::uint64_t n = static_cast<std::uint64_t>(bucket_count < 1 ? 1 : bucket_count);
    constexpr std::uint64_t reduce_above = std::uint64_t{1} << 57;
    std::uint64_t h = empty_key_hash;
    for (char c : key) {
        h = h * 33u + byte_code(static_cast<unsigned char>(c));
        if (h >= reduce_above) {
            h %= n;
        }
    }
    return static_cast<std::int32_t>(h % n);
}

string_index_map::string_index_map(std::int32_t bucket_count)
    : bucket_count_(bucket_count < 1 ? 1 : bucket_count),
      heads_(static_cast<std::size_t>(bucket_count_), -1) {}

std::int32_t string_index_map::bucket_of(std::string_view key) const {
    return string_index_hash(key, bucket_count_);
}

std::int32_t string_index_map::storage_bucket(std::string_view key) const {
    return bucket_of(key) % bucket_count_;
}

std::int32_t string_index_map::locate(std::string_view key, std::int32_t& probes) const {
    const std::size_t bucket = static_cast<std::size_t>(storage_bucket(key));
    for (std::int32_t e = heads_[bucket]; e >= 0; e = next_[static_cast<std::size_t>(e)]) {
        saturating_add(probes, 1);
        if (keys_[static_cast<std::size_t>(e)] == key) {
            return e;
        }
    }
    return -1;
}

void string_index_map::put_walk(std::string_view key, std::int32_t value, std::int32_t& probes) {
    const std::size_t bucket = static_cast<std::size_t>(storage_bucket(key));
    for (std::int32_t e = heads_[bucket]; e >= 0; e = next_[static_cast<std::size_t>(e)]) {
        saturating_add(probes, 1);
        if (keys_[static_cast<std::size_t>(e)] == key) {
            values_[static_cast<std::size_t>(e)] = value;
            return;
        }
    }
    keys_.emplace_back(key);
    values_.push_back(value);
    next_.push_back(heads_[bucket]);
    heads_[bucket] = static_cast<std::int32_t>(keys_.size() - 1);
}

void string_index_map::put(std::string_view key, std::int32_t value) {
    std::int32_t uncounted = 0;
    put_walk(key, value, uncounted);
}

void string_index_map::put_counted(std::string_view key, std::int32_t value) {
    put_walk(key, value, probe_count_);
}

std::int32_t string_index_map::find(std::string_view key) {
    return find_counting_into(key, probe_count_);
}

std::int32_t string_index_map::find_uncounted(std::string_view key) const {
    std::int32_t uncounted = 0;
    return find_counting_into(key, uncounted);
}

std::int32_t string_index_map::find_counting_into(std::string_view key,
                                                  std::int32_t& probes) const {
    const std::int32_t e = locate(key, probes);
    return e < 0 ? -1 : values_[static_cast<std::size_t>(e)];
}

void string_index_map::add_probes(std::int32_t probes) {
    saturating_add(probe_count_, probes);
}

void string_index_map::reserve_entries(std::size_t additional) {
    reserve_more(keys_, additional);
    reserve_more(values_, additional);
    reserve_more(next_, additional);
}

void string_index_map::clear_entries() {
    keys_.clear();
    values_.clear();
    next_.clear();
    heads_.assign(heads_.size(), -1);
}

}  // namespace tamo
