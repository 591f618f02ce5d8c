#include <gtest/gtest.h>

#include <concepts>
#include <utility>

#include "retained/records/record_test_samples.hpp"
#include "retained/records/render_resources.hpp"
#include "retained/records/resource_set.hpp"

namespace tamo {
namespace {

template <typename Record>
struct resource_kind;

template <>
struct resource_kind<render_paint> {
    static render_paint sample() { return test::sample_paint(); }
    static auto changes() { return test::paint_changes(); }
};
template <>
struct resource_kind<render_image> {
    static render_image sample() { return test::sample_image(); }
    static auto changes() { return test::image_changes(); }
};
template <>
struct resource_kind<render_glyph_alpha> {
    static render_glyph_alpha sample() { return test::sample_glyph(); }
    static auto changes() { return test::glyph_changes(); }
};
template <>
struct resource_kind<render_clip> {
    static render_clip sample() { return test::sample_clip(); }
    static auto changes() { return test::clip_changes(); }
};
template <>
struct resource_kind<render_transform> {
    static render_transform sample() { return test::sample_transform(); }
    static auto changes() { return test::transform_changes(); }
};

template <typename Record>
class RenderResourceTest : public testing::Test {};

using ResourceKinds =
    testing::Types<render_paint, render_image, render_glyph_alpha, render_clip, render_transform>;
TYPED_TEST_SUITE(RenderResourceTest, ResourceKinds);

TYPED_TEST(RenderResourceTest, EqualityDiffersOnEachSingleField) {
    const TypeParam sample = resource_kind<TypeParam>::sample();
    EXPECT_TRUE(sample == resource_kind<TypeParam>::sample());
    for (const auto& [field, change] : resource_kind<TypeParam>::changes()) {
        TypeParam changed = sample;
        change(changed);
        EXPECT_FALSE(changed == sample) << field;
        EXPECT_FALSE(sample == changed) << field;
    }
}

// Equality covers every field (above), so an equal result shows every field
// was carried over.
TYPED_TEST(RenderResourceTest, CopiesAndMovesPreserveEveryField) {
    const TypeParam sample = resource_kind<TypeParam>::sample();

    TypeParam copied(sample);
    EXPECT_TRUE(copied == sample);

    TypeParam copy_assigned;
    copy_assigned = sample;
    EXPECT_TRUE(copy_assigned == sample);

    TypeParam moved_from = sample;
    TypeParam moved(std::move(moved_from));
    EXPECT_TRUE(moved == sample);

    TypeParam move_assigned;
    TypeParam move_source = sample;
    move_assigned = std::move(move_source);
    EXPECT_TRUE(move_assigned == sample);
}

// A clip and a transform share a shape but are never compared.
static_assert(!std::equality_comparable_with<render_clip, render_transform>);

TEST(ResourceSetEntryCount, CountsRecordsOfAllFiveKinds) {
    EXPECT_EQ(resource_set{}.entry_count(), 0);

    resource_set set;
    set.paints.resize(2);
    set.clips.resize(3);
    EXPECT_EQ(set.entry_count(), 5);

    set.images.resize(1);
    set.glyphs.resize(4);
    set.transforms.resize(6);
    EXPECT_EQ(set.entry_count(), 16);
}

}  // namespace
}  // namespace tamo
