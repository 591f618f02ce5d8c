#include "runtime/runtime_error.hpp"

#include <gtest/gtest.h>

#include <exception>

namespace tamo {
namespace {

TEST(RuntimeError, WhatIsCodeColonMessage) {
    try {
        raise_runtime_error("window.canvas", "failed to acquire window/canvas device context", "",
                            "mirk_window_input_canvas");
        FAIL() << "expected an exception";
    } catch (const std::exception& error) {
        EXPECT_STREQ(error.what(), "window.canvas: failed to acquire window/canvas device context");
        const auto* runtime = dynamic_cast<const mirk_runtime_exception*>(&error);
        ASSERT_NE(runtime, nullptr);
        EXPECT_EQ(runtime->info.source, "mirk_window_input_canvas");
        EXPECT_EQ(runtime->info.number, 0);
        EXPECT_EQ(runtime->info.detail, "");
    }
}

TEST(RuntimeError, GivenSourceIsKept) {
    try {
        raise_runtime_error("code", "message", "caller", "default");
    } catch (const mirk_runtime_exception& error) {
        EXPECT_EQ(error.info.source, "caller");
        EXPECT_STREQ(error.what(), "code: message");
    }
}

TEST(RuntimeError, CopiesKeepTheirOwnMessage) {
    mirk_runtime_exception original(runtime_error_info{"c", "m", 0, "s", ""});
    const mirk_runtime_exception copy = original;
    original.what_text = "changed";
    EXPECT_STREQ(copy.what(), "c: m");
}

}  // namespace
}  // namespace tamo
