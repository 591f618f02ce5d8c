#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "retained/store/retained_resource_store.hpp"
#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

TEST(store_construction, new_store_is_empty_and_open) {
    retained_resource_store store("s");
    EXPECT_EQ(store.surface(), "s");
    EXPECT_EQ(store.state(), "open");
    EXPECT_EQ(store.revision(), 0);
    for (std::int32_t count :
         {store.owner_count(), store.command_count(), store.payload_total(),
          store.validation_count(), store.explicit_comparison_count(),
          store.payload_comparison_count(), store.admission_count(), store.index_node_count(),
          store.index_probe_count(), store.paint_count(), store.image_count(), store.glyph_count(),
          store.clip_count(), store.transform_count(), store.entry_count()}) {
        EXPECT_EQ(count, 0);
    }
    EXPECT_EQ(store.index_bucket_count(), 8192);
    EXPECT_EQ(store.summary(),
              "retained-resource-store-v1: surface=s; state=open; revision=0; entries=0; "
              "owners=0; commands=0; payload=0; validations=0; explicit-comparisons=0; "
              "payload-comparisons=0; admissions=0; rejections=operation-results-only");
}

TEST(store_construction, surface_name_decides_the_state) {
    const struct {
        std::string name;
        const char* state;
    } cases[] = {
        {std::string(128, 'n'), "open"},
        {std::string(129, 'n'), "invalid"},
        {"", "invalid"},
        {"x", "open"},
    };
    for (const auto& c : cases) {
        retained_resource_store store(c.name);
        EXPECT_EQ(store.state(), c.state) << c.name.size();
        EXPECT_EQ(store.surface(), c.name);
    }
}

TEST(store_construction, summary_writes_the_surface_unexpanded) {
    retained_resource_store invalid("");
    EXPECT_EQ(invalid.summary().rfind("retained-resource-store-v1: surface=; state=invalid; "
                                      "revision=0;",
                                      0),
              0u);
    retained_resource_store braces("{1}");
    EXPECT_EQ(braces.summary().rfind("retained-resource-store-v1: surface={1}; state=open;", 0),
              0u);
}

// Slot of a virtual operation in the operation table, read from the
// pointer-to-member form of the Itanium C++ ABI (g++, clang, mingw-w64):
// the slot's byte offset plus one.
template <typename Operation>
std::size_t table_slot(Operation operation) {
    std::uintptr_t offset_plus_one = 0;
    std::memcpy(&offset_plus_one, &operation, sizeof offset_plus_one);
    return (offset_plus_one - 1) / sizeof(void*);
}

TEST(store_construction, operation_table_holds_only_the_store_operations) {
    // Slots 0 and 1 hold the two forms of the destructor.
    const struct {
        const char* name;
        std::size_t slot;
        std::size_t expected;
    } cases[] = {
        {"surface", table_slot(&retained_resource_store::surface), 2},
        {"commit_pending_admission", table_slot(&test::writable_store::commit_pending_admission),
         76},
        {"bind_owner", table_slot(&retained_resource_store::bind_owner), 77},
        {"close", table_slot(&retained_resource_store::close), 89},
        {"summary", table_slot(&retained_resource_store::summary), 90},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.slot, c.expected) << c.name;
    }
}

}  // namespace
}  // namespace tamo
