#include <gtest/gtest.h>

#include <string>

#include "retained/store/retained_resource_store.hpp"

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

}  // namespace
}  // namespace tamo
