#include <gtest/gtest.h>

#include <concepts>
#include <string>
#include <utility>
#include <vector>

#include "retained/records/record_test_samples.hpp"
#include "retained/records/record_texts.hpp"
#include "retained/records/render_resources.hpp"
#include "retained/records/resource_set.hpp"
#include "retained/records/retained_fragment.hpp"

namespace tamo {
namespace {

// Copy and move construction and assignment, each checked with `same`.
template <typename Record, typename Same>
void expect_copies_and_moves_preserve(const Record& sample, Same same) {
    Record copied(sample);
    EXPECT_TRUE(same(copied, sample)) << "copy construction";

    Record copy_assigned;
    copy_assigned = sample;
    EXPECT_TRUE(same(copy_assigned, sample)) << "copy assignment";

    Record moved_from = sample;
    Record moved(std::move(moved_from));
    EXPECT_TRUE(same(moved, sample)) << "move construction";

    Record move_source = sample;
    Record move_assigned;
    move_assigned = std::move(move_source);
    EXPECT_TRUE(same(move_assigned, sample)) << "move assignment";
}

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
    expect_copies_and_moves_preserve(resource_kind<TypeParam>::sample(),
                                     [](const TypeParam& a, const TypeParam& b) { return a == b; });
}

// A clip and a transform share a shape but are never compared.
static_assert(!std::equality_comparable_with<render_clip, render_transform>);

// Commands and fragments have no equality; their canonical texts cover every
// field of a command and every own field of a fragment.
std::vector<std::string> fragment_texts(const retained_fragment& fragment) {
    std::vector<std::string> texts{write_fragment_record(fragment)};
    for (const render_command& command : fragment.commands) {
        texts.push_back(write_command_record(command));
    }
    return texts;
}

std::vector<std::string> resource_set_texts(const resource_set& set) {
    std::vector<std::string> texts{set.surface};
    for (const render_paint& paint : set.paints) {
        texts.push_back(write_paint_record(paint));
    }
    for (const render_image& image : set.images) {
        texts.push_back(write_image_record(image));
    }
    for (const render_glyph_alpha& glyph : set.glyphs) {
        texts.push_back(write_glyph_record(glyph));
    }
    for (const render_clip& clip : set.clips) {
        texts.push_back(write_clip_record(clip));
    }
    for (const render_transform& transform : set.transforms) {
        texts.push_back(write_transform_record(transform));
    }
    return texts;
}

TEST(RetainedRecordCopies, CopiesAndMovesPreserveEveryField) {
    expect_copies_and_moves_preserve(test::sample_command(),
                                     [](const render_command& a, const render_command& b) {
                                         return write_command_record(a) == write_command_record(b);
                                     });
    expect_copies_and_moves_preserve(test::sample_fragment(),
                                     [](const retained_fragment& a, const retained_fragment& b) {
                                         return fragment_texts(a) == fragment_texts(b);
                                     });

    resource_set set;
    set.surface = "surface-1";
    set.paints = {test::sample_paint(), render_paint{"second", 1, 2, 3, 4, 5, 6, 7}};
    set.images = {test::sample_image()};
    set.glyphs = {test::sample_glyph()};
    set.clips = {test::sample_clip(), render_clip{"second", 1, 2, 3, 4, 5}};
    set.transforms = {test::sample_transform()};
    expect_copies_and_moves_preserve(set, [](const resource_set& a, const resource_set& b) {
        return resource_set_texts(a) == resource_set_texts(b);
    });
}

TEST(RetainedRecordCopies, CopiedFragmentOwnsItsCommands) {
    const retained_fragment original = test::sample_fragment();
    const std::vector<std::string> original_texts = fragment_texts(original);

    retained_fragment copy = original;
    copy.commands[0].kind = "clipPop";
    copy.commands[1].auxValues[3] = -9;
    copy.commands.push_back(render_command{});

    EXPECT_EQ(fragment_texts(original), original_texts);
}

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
