#include "retained/records/record_texts.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "retained/records/record_test_samples.hpp"

namespace tamo {
namespace {

constexpr std::int32_t int_min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int_max = std::numeric_limits<std::int32_t>::max();

template <typename Record>
struct text_case {
    std::string name;
    Record record;
    std::string expected;
};

template <typename Record, typename Writer>
void expect_texts(const std::vector<text_case<Record>>& cases, Writer write) {
    for (const auto& [name, record, expected] : cases) {
        EXPECT_EQ(write(record), expected) << name;
    }
}

template <typename Record, typename Writer>
void expect_each_field_changes_text(const Record& sample,
                                    const std::vector<test::field_change<Record>>& changes,
                                    Writer write) {
    const std::string sample_text = write(sample);
    for (const auto& [field, change] : changes) {
        Record changed = sample;
        change(changed);
        EXPECT_NE(write(changed), sample_text) << field;
    }
}

TEST(PaintRecordText, WritesEachFieldInOrder) {
    expect_texts<render_paint>(
        {
            {"worked example",
             {"p1", 255, 128, 0, 255, 4, 1, 100},
             "paint-v1|2:p1|255|128|0|255|4|1|100"},
            {"default", {}, "paint-v1|0:|0|0|0|0|0|0|0"},
            {"int32 extremes and negatives",
             {"p", int_min, int_max, -1, -20, 0, -300, 7},
             "paint-v1|1:p|-2147483648|2147483647|-1|-20|0|-300|7"},
            {"separator in id", {"a|b", 1, 2, 3, 4, 5, 6, 7}, "paint-v1|3:a|b|1|2|3|4|5|6|7"},
            {"multi-byte id counts bytes",
             {"\xC3\xA9", 0, 0, 0, 0, 0, 0, 0},
             "paint-v1|2:\xC3\xA9|0|0|0|0|0|0|0"},
            {"placeholder in id stays as is",
             {"{1}", 9, 0, 0, 0, 0, 0, 0},
             "paint-v1|3:{1}|9|0|0|0|0|0|0"},
            {"line end copied unchanged",
             {"a\r\nb", 0, 0, 0, 0, 0, 0, 0},
             "paint-v1|4:a\r\nb|0|0|0|0|0|0|0"},
        },
        write_paint_record);
}

TEST(ImageRecordText, WritesEachFieldInOrder) {
    expect_texts<render_image>(
        {
            {"worked example, ready",
             {"img", "image", 3, 1, 1, 4, "bgra8-hex", "srgb", "straight", "ready", true, "c1",
              "ff0000ff", "s"},
             "image-v1|3:img|5:image|3|1|1|4|9:bgra8-hex|4:srgb|8:straight|5:ready|true|2:c1|"
             "8:ff0000ff|1:s"},
            {"worked example, loading placeholder",
             {"img", "image", 4, 0, 0, 0, "bgra8-hex", "display-p3", "straight", "loading", false,
              "c2", "", "net"},
             "image-v1|3:img|5:image|4|0|0|0|9:bgra8-hex|10:display-p3|8:straight|7:loading|false|"
             "2:c2|0:|3:net"},
            {"default", {}, "image-v1|0:|0:|0|0|0|0|0:|0:|0:|0:|false|0:|0:|0:"},
            {"upper-case hex payload and negatives",
             {"i", "x", -1, -2, -3, int_min, "f", "c", "a", "s", true, "id", "FF00AAbb", "src"},
             "image-v1|1:i|1:x|-1|-2|-3|-2147483648|1:f|1:c|1:a|1:s|true|2:id|8:FF00AAbb|3:src"},
        },
        write_image_record);
}

TEST(GlyphRecordText, WritesEachFieldInOrder) {
    expect_texts<render_glyph_alpha>(
        {
            {"worked example",
             {"g1", 2, 1, 2, 2, "a8-unorm-hex", "00ff", "font"},
             "glyph-v1|2:g1|2|1|2|2|12:a8-unorm-hex|4:00ff|4:font"},
            {"default", {}, "glyph-v1|0:|0|0|0|0|0:|0:|0:"},
            {"negatives and a line end in the source",
             {"g", -1, int_max, -3, 0, "", "A0", "a\n"},
             "glyph-v1|1:g|-1|2147483647|-3|0|0:|2:A0|2:a\n"},
        },
        write_glyph_record);
}

TEST(ClipRecordText, WritesEachFieldInOrder) {
    expect_texts<render_clip>(
        {
            {"worked example", {"c", 1, -2, 30, 40, 5}, "clip-v1|1:c|1|-2|30|40|5"},
            {"default", {}, "clip-v1|0:|0|0|0|0|0"},
            {"int32 extremes",
             {"c|2", int_min, int_max, int_min, int_max, -1},
             "clip-v1|3:c|2|-2147483648|2147483647|-2147483648|2147483647|-1"},
        },
        write_clip_record);
}

TEST(TransformRecordText, WritesEachFieldInOrder) {
    expect_texts<render_transform>(
        {
            {"worked example",
             {"t", -5, 10, 100, 200, 45000},
             "transform-v1|1:t|-5|10|100|200|45000"},
            {"default", {}, "transform-v1|0:|0|0|0|0|0"},
            {"int32 extremes",
             {"identity", int_max, int_min, 0, -1, -360000},
             "transform-v1|8:identity|2147483647|-2147483648|0|-1|-360000"},
        },
        write_transform_record);
}

retained_fragment fragment_of(std::string id, std::int32_t generation, std::int32_t aux_int,
                              retained_bounds layout, retained_bounds ink,
                              fragment_dependency_signature signature, std::string source,
                              std::size_t command_count) {
    retained_fragment fragment;
    fragment.id = std::move(id);
    fragment.generation = generation;
    fragment.auxInt = aux_int;
    fragment.layoutBounds = layout;
    fragment.inkBounds = ink;
    fragment.dependencySignature = std::move(signature);
    fragment.commands.resize(command_count);
    fragment.source = std::move(source);
    return fragment;
}

TEST(FragmentRecordText, WritesOwnFieldsAndCommandCount) {
    expect_texts<retained_fragment>(
        {
            {"worked example",
             fragment_of("f", 2, 0, {0, 0, 10, 10}, {-1, -1, 12, 12},
                         {"a", "b", "c", "d", "e", "sig"}, "src", 3),
             "fragment-v1|1:f|2|0|0|0|10|10|-1|-1|12|12|1:a|1:b|1:c|1:d|1:e|3:sig|3:src|3"},
            {"default", {}, "fragment-v1|0:|0|0|0|0|0|0|0|0|0|0|0:|0:|0:|0:|0:|0:|0:|0"},
            {"negatives, extremes and separators in keys",
             fragment_of("f|g", -7, int_min, {-1, -2, -3, -4}, {int_max, 5, 6, 7},
                         {"k|1", "", "\xC3\xA9", "4", "5", ""}, "", 4096),
             "fragment-v1|3:f|g|-7|-2147483648|-1|-2|-3|-4|2147483647|5|6|7|3:k|1|0:|2:\xC3\xA9|"
             "1:4|1:5|0:|0:|4096"},
        },
        write_fragment_record);
}

render_command worked_example_command() {
    render_command command;
    command.sequence = 12;
    command.owner = "f.a";
    command.kind = "image";
    command.auxText1 = "x";
    command.resourceId = "img";
    command.imageGeneration = 3;
    command.paintId = "p1";
    command.transformId = "identity";
    command.auxInt3 = 64;
    command.auxInt4 = 32;
    return command;
}

render_command with_last_value_and_flag(render_command command) {
    command.auxValues.back() = -1;
    command.noGlyphReference = true;
    return command;
}

// Texts shaped like placeholders must come out as they went in, in the head
// as well as after the second stage.
render_command with_placeholder_texts() {
    render_command command;
    command.sequence = -1;
    command.owner = "{0}";
    command.auxText1 = "{1}";
    command.textGroup.text4 = "{19}|";
    command.auxValues.front() = int_min;
    command.auxValues[9] = int_max;
    return command;
}

TEST(CommandRecordText, WritesHeadThenValuesFlagAndTail) {
    expect_texts<render_command>(
        {
            {"worked example", worked_example_command(),
             "command-v1|12|3:f.a|5:image|1:x|0:|3:img|3|2:p1|0:|8:identity|0|0|64|32|0:|0:|0:|"
             "0:|0:|0:|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|false|end|1|1|1"},
            {"worked example with the last value -1 and the flag set",
             with_last_value_and_flag(worked_example_command()),
             "command-v1|12|3:f.a|5:image|1:x|0:|3:img|3|2:p1|0:|8:identity|0|0|64|32|0:|0:|0:|"
             "0:|0:|0:|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|0|-1|true|end|1|1|1"},
            {"default",
             {},
             "command-v1|0|0:|0:|0:|0:|0:|0|0:|0:|0:|0|0|0|0|0:|0:|0:|0:|0:|0:|0|0|0|0|0|0|0|0|0|"
             "0|0|0|0|0|0|0|0|0|false|end|1|1|1"},
            {"texts shaped like placeholders", with_placeholder_texts(),
             "command-v1|-1|3:{0}|0:|3:{1}|0:|0:|0|0:|0:|0:|0|0|0|0|0:|0:|0:|0:|0:|5:{19}||"
             "-2147483648|0|0|0|0|0|0|0|0|2147483647|0|0|0|0|0|0|0|0|false|end|1|1|1"},
            {"every field set", test::sample_command(),
             "command-v1|41|3:f.a|5:image|5:aux-1|5:aux-2|3:img|42|2:p1|2:c1|2:t1|43|44|45|46|"
             "5:aux-3|5:aux-4|7:group-1|7:group-2|7:group-3|7:group-4|100|101|102|103|104|105|"
             "106|107|108|109|110|111|112|113|114|115|116|117|true|end|1|1|1"},
        },
        write_command_record);
}

// 20 head fields, 18 values, the flag and "end|1|1|1".
TEST(CommandRecordText, HasFortyThreeFieldsAfterItsKindToken) {
    const std::string text = write_command_record(test::sample_command());
    EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 43);
}

TEST(RecordTexts, EachSingleFieldChangeChangesTheText) {
    expect_each_field_changes_text(test::sample_paint(), test::paint_changes(), write_paint_record);
    expect_each_field_changes_text(test::sample_image(), test::image_changes(), write_image_record);
    expect_each_field_changes_text(test::sample_glyph(), test::glyph_changes(), write_glyph_record);
    expect_each_field_changes_text(test::sample_clip(), test::clip_changes(), write_clip_record);
    expect_each_field_changes_text(test::sample_transform(), test::transform_changes(),
                                   write_transform_record);
    expect_each_field_changes_text(test::sample_command(), test::command_changes(),
                                   write_command_record);
    expect_each_field_changes_text(test::sample_fragment(), test::fragment_changes(),
                                   write_fragment_record);
}

// Length prefixes keep the field boundaries: without them "a|b" + "" and
// "a" + "b|" would both read "a|b|".
TEST(RecordTexts, SeparatorsInsideTextsCannotShiftFields) {
    render_command left;
    left.auxText1 = "a|b";
    render_command right;
    right.auxText1 = "a";
    right.auxText2 = "b|";
    EXPECT_NE(write_command_record(left), write_command_record(right));
}

TEST(FragmentRecordText, IgnoresTheContentOfCommands) {
    const retained_fragment sample = test::sample_fragment();
    retained_fragment changed = sample;
    changed.commands[0].kind = "clipPush";
    changed.commands[1].auxValues[17] = 9;
    EXPECT_EQ(write_fragment_record(changed), write_fragment_record(sample));
}

}  // namespace
}  // namespace tamo
