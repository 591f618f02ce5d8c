#include "host/canvas/text_runs.hpp"

#include <gtest/gtest.h>

namespace tamo {
namespace {

struct runs_case {
    const char* name;
    std::string text;
    std::vector<std::string> runs;
};

class TextGlyphRuns : public ::testing::TestWithParam<runs_case> {};

TEST_P(TextGlyphRuns, DrawsPrintableAsciiAndOneQuestionMarkPerBadCharacter) {
    EXPECT_EQ(text_glyph_runs(GetParam().text), GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextGlyphRuns,
    ::testing::Values(
        runs_case{"empty", "", {}}, runs_case{"ascii_run", "Pause / Space", {"Pause / Space"}},
        runs_case{"two_byte_character", "H\xC3\xA9llo", {"H", "?", "llo"}},
        runs_case{"lone_lead_at_the_end", "a\xC3", {"a", "?"}},
        runs_case{"overlong_three_bytes", "\xE0\x80\x80", {"?", "?", "?"}},
        runs_case{"encoded_surrogate", "\xED\xA0\x80", {"?", "?", "?"}},
        runs_case{"beyond_the_last_code_point", "\xF4\x90\x80\x80", {"?", "?", "?", "?"}},
        runs_case{"four_byte_character", "\xF0\x9F\x98\x80!", {"?", "!"}},
        runs_case{"three_byte_character", "\xE2\x82\xAC", {"?"}},
        runs_case{"cut_off_sequence", "\xE2\x82", {"?", "?"}},
        runs_case{"controls_stay_on_the_line", "a\tb\nc\x7F", {"a", "?", "b", "?", "c", "?"}},
        runs_case{"bytes_that_never_lead", "\x80\xC1\xF5\xFF", {"?", "?", "?", "?"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Utf8Continuation, IsFalseOutsideTheText) {
    const std::string text = "\xC3\xA9";
    EXPECT_TRUE(is_utf8_continuation(text, 0, 1));
    EXPECT_FALSE(is_utf8_continuation(text, 0, 0));
    EXPECT_FALSE(is_utf8_continuation(text, 1, 1));
    EXPECT_FALSE(is_utf8_continuation(text, 5, 0));
    EXPECT_FALSE(is_utf8_continuation(text, 1, ~std::uint64_t{0}));
}

TEST(TextStyle, SizeCodesChooseFifteenTwentyOrTwentyEightPixels) {
    struct style_case {
        std::int32_t code;
        int regular_slot;
        int bold_slot;
        std::int32_t baseline;
    };
    const style_case cases[] = {{-5, 4, 5, 12},  {150, 4, 5, 12},   {249, 4, 5, 12},
                                {250, 6, 7, 16}, {329, 6, 7, 16},   {330, 8, 9, 23},
                                {331, 6, 7, 16}, {100000, 6, 7, 16}};
    for (const style_case& expected : cases) {
        const text_style style = text_style_for_size_code(expected.code);
        EXPECT_EQ(style.regular_slot, expected.regular_slot) << expected.code;
        EXPECT_EQ(style.bold_slot, expected.bold_slot) << expected.code;
        EXPECT_EQ(style.baseline_offset, expected.baseline) << expected.code;
    }
}

}  // namespace
}  // namespace tamo
