#include "runtime/text_format.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace tamo {
namespace {

struct format_case {
    const char* pattern;
    std::vector<std::string> arguments;
    const char* expected;
};

TEST(FormatMessage, ReplacesPlaceholdersAndKeepsEverythingElse) {
    const format_case cases[] = {
        {"a{0}b{1}c", {"X", "Y"}, "aXbYc"},
        {"{1}{0}{1}", {"a", "b"}, "bab"},
        {"{2}", {"only"}, "{2}"},
        {"{}", {"a"}, "{}"},
        {"{-1}", {"a"}, "{-1}"},
        {"{ 0}", {"a"}, "{ 0}"},
        {"end {0", {"a"}, "end {0"},
        {"{007}", {"0", "1", "2", "3", "4", "5", "6", "seven"}, "seven"},
        {"{x{0}}", {"A"}, "{xA}"},
        {"{{0}}", {"A"}, "{A}"},
        {"{18446744073709551615}", {"a"}, "{18446744073709551615}"},
        {"no placeholders", {}, "no placeholders"},
        {"", {"a"}, ""},
        {"{0}{0}", {"{1}", "b"}, "{1}{1}"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(format_message(c.pattern, c.arguments), c.expected) << c.pattern;
    }
}

TEST(FormatMessage, IndexBeyondSixtyFourBitsIsOutOfRange) {
    try {
        format_message("{99999999999999999999}", {"a"});
        FAIL() << "expected std::out_of_range";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "stoull");
    }
    EXPECT_THROW(format_message("{18446744073709551616}", {}), std::out_of_range);
}

TEST(TextHelpers, BoolAndLengthPrefixedAndCompositeKey) {
    EXPECT_EQ(bool_text(true), "true");
    EXPECT_EQ(bool_text(false), "false");
    EXPECT_EQ(length_prefixed("abc"), "3:abc");
    EXPECT_EQ(length_prefixed(""), "0:");
    EXPECT_EQ(length_prefixed("\xC3\xA9"), "2:\xC3\xA9");
    EXPECT_EQ(composite_key("paint", "p1", 7), "5:paint:2:p1:7");
    EXPECT_EQ(composite_key("", "", -1), "0::0::-1");
    // Length prefixes keep keys with ':' apart.
    EXPECT_NE(composite_key("a:b", "c", 0), composite_key("a", "b:c", 0));
}

TEST(TextHelpers, StartsWith) {
    EXPECT_TRUE(starts_with("command-sequence", "command-sequence"));
    EXPECT_TRUE(starts_with("anything", ""));
    EXPECT_TRUE(starts_with("", ""));
    EXPECT_TRUE(starts_with("prefix-rest", "prefix-"));
    EXPECT_FALSE(starts_with("ab", "abc"));
    EXPECT_FALSE(starts_with("abd", "abc"));
}

TEST(TextHelpers, IsHexText) {
    EXPECT_TRUE(is_hex_text("00ff"));
    EXPECT_TRUE(is_hex_text("ABCdef"));
    EXPECT_TRUE(is_hex_text(""));
    EXPECT_FALSE(is_hex_text("0x1f"));
    EXPECT_FALSE(is_hex_text("g"));
    EXPECT_FALSE(is_hex_text(std::string("0\0", 2)));
}

}  // namespace
}  // namespace tamo
