#include "runtime/environment.hpp"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace tamo {
namespace {

#ifdef _WIN32
void set_variable_wide(const std::wstring& name, const std::wstring& value) {
    ASSERT_TRUE(SetEnvironmentVariableW(name.c_str(), value.c_str()));
}
std::wstring widen(const std::string& utf8) {
    const int units =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), units);
    return wide;
}
void set_variable(const std::string& name, const std::string& value) {
    set_variable_wide(widen(name), widen(value));
}
void unset_variable(const std::string& name) {
    SetEnvironmentVariableW(widen(name).c_str(), nullptr);
}
#else
void set_variable(const std::string& name, const std::string& value) {
    ASSERT_EQ(setenv(name.c_str(), value.c_str(), 1), 0);
}
void unset_variable(const std::string& name) {
    unsetenv(name.c_str());
}
#endif

TEST(EnvironmentLookup, ReadsValuesAsUtf8) {
    set_variable("VIVIDSWIRL_TEST_PLAIN", "1");
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_TEST_PLAIN"), "1");
    set_variable("VIVIDSWIRL_TEST_ACCENT", "\xC3\xA9");
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_TEST_ACCENT"), "\xC3\xA9");
    set_variable("VIVIDSWIRL_TEST_WIDE", "\xF0\x9F\x8E\xA8 ink");
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_TEST_WIDE"), "\xF0\x9F\x8E\xA8 ink");
    set_variable("VIVIDSWIRL_TEST_\xC3\xA9", "named");
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_TEST_\xC3\xA9"), "named");
}

TEST(EnvironmentLookup, AbsentAndEmptyBothGiveEmpty) {
    unset_variable("VIVIDSWIRL_TEST_ABSENT");
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_TEST_ABSENT"), "");
    set_variable("VIVIDSWIRL_TEST_EMPTY", "");
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_TEST_EMPTY"), "");
}

TEST(EnvironmentLookup, BadNamesGiveEmpty) {
    set_variable("VIVIDSWIRL_TEST_NUL", "x");
    EXPECT_EQ(get_environment_utf8(""), "");
    EXPECT_EQ(get_environment_utf8(std::string("VIVIDSWIRL_TEST_NUL\0", 20)), "");
    EXPECT_EQ(get_environment_utf8(std::string(131069, 'A')), "");
    EXPECT_EQ(get_environment_utf8(std::string(131068, 'A')), "");
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_\xC3"), "");
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_\xED\xA0\x80"), "");  // encoded surrogate
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_\xC0\xAF"), "");      // overlong
}

TEST(EnvironmentLookup, LongValuesUpToTheLimit) {
    const std::string long_value(32766, 'v');
    set_variable("VIVIDSWIRL_TEST_LONG", long_value);
    EXPECT_TRUE(get_environment_utf8("VIVIDSWIRL_TEST_LONG") == long_value);
#ifndef _WIN32
    // Wine caps stored values at 32766 units, so the edge itself is checked
    // on the native build only.
    const std::string longest(32767, 'v');
    set_variable("VIVIDSWIRL_TEST_LONGEST", longest);
    EXPECT_TRUE(get_environment_utf8("VIVIDSWIRL_TEST_LONGEST") == longest);
    set_variable("VIVIDSWIRL_TEST_TOO_LONG", std::string(32768, 'v'));
    EXPECT_TRUE(get_environment_utf8("VIVIDSWIRL_TEST_TOO_LONG").empty());
    // Surrogate pairs count two units each.
    std::string pairs;
    for (int i = 0; i < 16384; ++i) {
        pairs += "\xF0\x9F\x8E\xA8";
    }
    set_variable("VIVIDSWIRL_TEST_PAIRS", pairs);
    EXPECT_TRUE(get_environment_utf8("VIVIDSWIRL_TEST_PAIRS").empty());
#endif
}

TEST(EnvironmentLookup, InvalidValuesGiveEmpty) {
#ifdef _WIN32
    set_variable_wide(L"VIVIDSWIRL_TEST_SURROGATE", std::wstring(1, wchar_t(0xD800)));
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_TEST_SURROGATE"), "");
#else
    set_variable("VIVIDSWIRL_TEST_INVALID", "ok\xFF");
    EXPECT_EQ(get_environment_utf8("VIVIDSWIRL_TEST_INVALID"), "");
#endif
}

}  // namespace
}  // namespace tamo
