#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

using test::delta;
using test::fragment;

std::vector<render_paint> paints(std::int32_t count, const std::string& prefix) {
    std::vector<render_paint> list;
    for (std::int32_t i = 0; i < count; ++i) {
        list.push_back(test::paint(prefix + std::to_string(i)));
    }
    return list;
}

std::vector<std::int32_t> sequences(std::int32_t first, std::int32_t count) {
    std::vector<std::int32_t> list;
    for (std::int32_t i = 0; i < count; ++i) {
        list.push_back(first + i);
    }
    return list;
}

const char* const size_refusal = "retained resource store exceeds 65536 entries/commands or 64 MiB";

TEST(store_limits, entries) {
    retained_resource_store store(test::surface_name);
    resource_set full = delta();
    full.paints = paints(65536, "p");
    ASSERT_TRUE(store.bind_owner(fragment("a", 1, {1}), full, 0).ok);
    EXPECT_EQ(store.entry_count(), 65536);
    resource_set one_more = delta();
    one_more.paints = paints(1, "q");
    EXPECT_EQ(store.bind_owner(fragment("b", 1, {2}), one_more, 1).message, size_refusal);
    // Offering a stored paint again adds nothing.
    one_more.paints = paints(1, "p");
    EXPECT_TRUE(store.bind_owner(fragment("b", 1, {2}), one_more, 1).ok);

    retained_resource_store fresh(test::surface_name);
    full.paints.push_back(test::paint("extra"));
    EXPECT_EQ(fresh.bind_owner(fragment("a", 1, {1}), full, 0).message,
              "retained resource delta exceeds 65536 entries");
}

TEST(store_limits, commands) {
    retained_resource_store store(test::surface_name);
    for (std::int32_t owner = 0; owner < 16; ++owner) {
        const operation_result result = store.bind_owner(
            fragment("o" + std::to_string(owner), 1, sequences(owner * 4096, 4096)), delta(),
            owner);
        ASSERT_TRUE(result.ok) << result.message;
    }
    EXPECT_EQ(store.command_count(), 65536);
    EXPECT_EQ(store.bind_owner(fragment("x", 1, {70000}), delta(), 16).message, size_refusal);
    // An update keeps the command count.
    EXPECT_TRUE(store.update_owner(fragment("o0", 2, sequences(0, 4096)), delta(), 16).ok);
}

TEST(store_limits, owners) {
    retained_resource_store store(test::surface_name);
    for (std::int32_t owner = 0; owner < 4096; ++owner) {
        ASSERT_TRUE(
            store.bind_owner(fragment("o" + std::to_string(owner), 1, {owner}), delta(), owner).ok);
    }
    EXPECT_EQ(store.owner_count(), 4096);
    EXPECT_EQ(store.bind_owner(fragment("x", 1, {5000}), delta(), 4096).message,
              "retained resource store exceeds 4096 owners");
    EXPECT_TRUE(store.update_owner(fragment("o7", 2, {7}), delta(), 4096).ok);
}

TEST(store_limits, payload) {
    retained_resource_store store(test::surface_name);
    resource_set one_image = delta();
    one_image.images.push_back(test::image("img", 1));
    const struct {
        std::int32_t staged;
        bool accepted;
    } cases[] = {{67108864 - 4, true}, {67108864 - 3, false}};
    for (const auto& c : cases) {
        resource_tables tables = make_resource_tables(1);
        tables.staged_payload_bytes = c.staged;
        const pending_admission pending =
            store.preflight_with_tables(fragment("a", 1, {1}), one_image, 0, 1, tables);
        EXPECT_EQ(pending.ok, c.accepted) << c.staged;
        EXPECT_EQ(pending.message, c.accepted ? "ok" : size_refusal) << c.staged;
    }
}

// Reports more index keys than it holds, to reach the key limit.
class crowded_index_store : public retained_resource_store {
  public:
    crowded_index_store(std::int32_t extra_keys)
        : retained_resource_store(test::surface_name), extra_keys_(extra_keys) {}
    std::int32_t index_node_count() const override {
        return retained_resource_store::index_node_count() + extra_keys_;
    }

  private:
    std::int32_t extra_keys_;
};

TEST(store_limits, index_keys) {
    // A binding of one command and one new image needs 4 keys.
    resource_set one_image = delta();
    one_image.images.push_back(test::image("img", 1));
    const struct {
        std::int32_t extra;
        bool accepted;
    } cases[] = {{200704 - 4, true}, {200704 - 3, false}};
    for (const auto& c : cases) {
        crowded_index_store store(c.extra);
        const operation_result result = store.bind_owner(fragment("a", 1, {1}), one_image, 0);
        EXPECT_EQ(result.ok, c.accepted) << c.extra;
        EXPECT_EQ(result.message,
                  c.accepted ? "ok" : "retained resource store exceeds 200704 index nodes");
    }
}

}  // namespace
}  // namespace tamo
