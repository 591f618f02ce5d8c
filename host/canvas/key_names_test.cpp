#include "host/canvas/key_names.hpp"

#include <gtest/gtest.h>

#include <string>

namespace tamo {
namespace {

struct key_case {
    std::string name;
    std::int32_t vk;
};

TEST(KeyNameToVk, MapsNamesWithoutRegardToCase) {
    const key_case cases[] = {
        {"a", 0x41},      {"Z", 0x5A},      {"0", 0x30},     {"9", 0x39},      {"f1", 0x70},
        {"F9", 0x78},     {"F10", 0x79},    {"f12", 0x7B},   {"LEFT", 0x25},   {"right", 0x27},
        {"Up", 0x26},     {"down", 0x28},   {"space", 0x20}, {"Enter", 0x0D},  {"return", 0x0D},
        {"tab", 0x09},    {"home", 0x24},   {"end", 0x23},   {"PageUp", 0x21}, {"pagedown", 0x22},
        {"ESCAPE", 0x1B}, {"Escape", 0x1B}, {"esc", 0x1B},   {"shift", 0x10},
    };
    for (const key_case& c : cases) {
        EXPECT_EQ(key_name_to_vk(c.name), c.vk) << c.name;
    }
}

TEST(KeyNameToVk, AnswersNoKeyForOtherNames) {
    const std::string names[] = {"", "f0", "f13", "f1x", "ctrl", "esc ", " a", "-", "aa", "fa"};
    for (const std::string& name : names) {
        EXPECT_EQ(key_name_to_vk(name), 0) << name;
    }
}

// Bytes above 0x7F are no letters: lowering must neither change them nor
// turn them into a key.
TEST(KeyNameToVk, NonAsciiBytesNeverMatch) {
    EXPECT_EQ(key_name_to_vk("\xC3\x89SC"), 0);
    EXPECT_EQ(key_name_to_vk("\xC1"), 0);
    EXPECT_EQ(key_name_to_vk("\xE1"), 0);  // Latin-1 a-acute
    EXPECT_EQ(key_name_to_vk("\xC5\xBF"), 0);
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        EXPECT_EQ(key_name_to_vk(std::string(1, static_cast<char>(byte))), 0) << byte;
    }
}

TEST(AsciiLower, LowersOnlyAsciiLetters) {
    EXPECT_EQ(ascii_lower("AbZ\xC3\x89\xFF@[`{"), "abz\xC3\x89\xFF@[`{");
}

}  // namespace
}  // namespace tamo
