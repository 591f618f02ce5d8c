#include "runtime/text_field_model.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tamo {
namespace {

enum class edit { begin, insert, insert_own_text, backspace, cancel };

struct edit_step {
    edit operation;
    std::string argument;
    std::string text;
    bool active;
    bool replace_next;
};

struct edit_case {
    const char* name;
    std::vector<edit_step> steps;
};

void apply(text_field_model& field, const edit_step& step) {
    switch (step.operation) {
        case edit::begin:
            field.begin(step.argument);
            break;
        case edit::insert:
            field.insert(step.argument);
            break;
        case edit::insert_own_text:
            field.insert(field.text());
            break;
        case edit::backspace:
            field.backspace();
            break;
        case edit::cancel:
            field.cancel();
            break;
    }
}

const std::string bytes_4000(4000, 'a');
const std::string bytes_100(100, 'b');
const std::string bytes_5000(5000, 'c');

const edit_case edit_cases[] = {
    {"first input replaces the selected value, later input appends, cancel restores",
     {{edit::begin, "Name", "Name", true, true},
      {edit::insert, "X", "X", true, false},
      {edit::insert, "Y", "XY", true, false},
      {edit::cancel, "", "Name", false, false}}},
    {"backspace clears a selected value, then an empty text stays empty",
     {{edit::begin, "abc", "abc", true, true},
      {edit::backspace, "", "", true, false},
      {edit::backspace, "", "", true, false}}},
    {"insert needs editing to be active; backspace does not",
     {{edit::insert, "x", "", false, false},
      {edit::begin, "ab", "ab", true, true},
      {edit::insert, "cd", "cd", true, false},
      {edit::cancel, "", "ab", false, false},
      {edit::insert, "x", "ab", false, false},
      {edit::backspace, "", "a", false, false}}},
    {"cancel keeps the selection, so a later backspace clears the restored text",
     {{edit::begin, "Name", "Name", true, true},
      {edit::cancel, "", "Name", false, true},
      {edit::backspace, "", "", false, false}}},
    {"empty input leaves the selection in place",
     {{edit::begin, "Name", "Name", true, true},
      {edit::insert, "", "Name", true, true},
      {edit::insert, "N", "N", true, false}}},
    {"begin again restarts editing with the new value",
     {{edit::begin, "one", "one", true, true},
      {edit::insert, "x", "x", true, false},
      {edit::begin, "two", "two", true, true},
      {edit::insert, "y", "y", true, false},
      {edit::cancel, "", "two", false, false}}},
    {"a long selected value is replaced; input past the limit is then dropped whole",
     {{edit::begin, bytes_4000, bytes_4000, true, true},
      {edit::insert, bytes_100, bytes_100, true, false},
      {edit::insert, bytes_4000, bytes_100, true, false}}},
    {"a value over the limit is kept by begin and restored by cancel",
     {{edit::begin, bytes_5000, bytes_5000, true, true},
      {edit::insert, "z", "z", true, false},
      {edit::cancel, "", bytes_5000, false, false}}},
    {"an over-long input still clears the selection before it is dropped",
     {{edit::begin, "Name", "Name", true, true},
      {edit::insert, bytes_5000, "", true, false},
      {edit::cancel, "", "Name", false, false}}},
    {"the field's own text typed over its selection replaces it with the same text",
     {{edit::begin, "Name", "Name", true, true},
      {edit::insert_own_text, "", "Name", true, false},
      {edit::insert_own_text, "", "NameName", true, false}}},
};

TEST(TextFieldModelTest, StartsEmptyAndInactive) {
    const text_field_model field;
    EXPECT_EQ(field.text(), "");
    EXPECT_EQ(field.saved(), "");
    EXPECT_FALSE(field.active());
    EXPECT_FALSE(field.replace_next());
}

TEST(TextFieldModelTest, EditsEachCaseStepByStep) {
    for (const edit_case& test_case : edit_cases) {
        SCOPED_TRACE(test_case.name);
        text_field_model field;
        for (std::size_t i = 0; i < test_case.steps.size(); ++i) {
            SCOPED_TRACE("step " + std::to_string(i));
            const edit_step& step = test_case.steps[i];
            apply(field, step);
            EXPECT_EQ(field.text(), step.text);
            EXPECT_EQ(field.active(), step.active);
            EXPECT_EQ(field.replace_next(), step.replace_next);
        }
    }
}

// Starts editing with an empty value and types the text, so it is not
// selected.
void type_into_empty_field(text_field_model& field, const std::string& text) {
    field.begin("");
    field.insert(text);
}

struct limit_case {
    std::size_t typed_bytes;
    std::size_t input_bytes;
    bool accepted;
};

TEST(TextFieldModelTest, InsertAcceptsUpTo4096BytesAndDropsLongerInputWhole) {
    const limit_case cases[] = {
        {0, 4096, true},   {0, 4097, false}, {4000, 96, true},
        {4000, 97, false}, {4095, 1, true},  {4096, 1, false},
    };
    for (const limit_case& c : cases) {
        SCOPED_TRACE(std::to_string(c.typed_bytes) + " + " + std::to_string(c.input_bytes));
        text_field_model field;
        const std::string typed(c.typed_bytes, 'a');
        type_into_empty_field(field, typed);
        field.insert(std::string(c.input_bytes, 'b'));
        EXPECT_EQ(field.text().size(), c.accepted ? c.typed_bytes + c.input_bytes : c.typed_bytes);
        EXPECT_EQ(field.text().substr(0, c.typed_bytes), typed);
    }
}

struct backspace_case {
    const char* name;
    std::string before;
    std::string after;
};

TEST(TextFieldModelTest, BackspaceRemovesOneWholeUtf8Character) {
    const backspace_case cases[] = {
        {"ASCII", "abc", "ab"},
        {"two-byte U+00E9", "caf\xC3\xA9", "caf"},
        {"three-byte U+20AC alone", "\xE2\x82\xAC", ""},
        {"four-byte U+1F600", "a\xF0\x9F\x98\x80", "a"},
        {"only the last of two characters", "\xC3\xA9\xC3\xA9", "\xC3\xA9"},
        {"a lone lead byte", "ab\xC3", "ab"},
        {"continuation bytes only", "\x80\x80\xBF", ""},
    };
    for (const backspace_case& c : cases) {
        SCOPED_TRACE(c.name);
        text_field_model field;
        type_into_empty_field(field, c.before);
        field.backspace();
        EXPECT_EQ(field.text(), c.after);
    }
}

}  // namespace
}  // namespace tamo
