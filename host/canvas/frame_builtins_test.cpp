#include "host/canvas/frame_builtins.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "host/canvas/input_queries.hpp"
#include "host/canvas/pixel_drawing.hpp"
#include "host/canvas/readback_test_support.hpp"
#include "host/canvas/text_drawing.hpp"
#include "host/canvas/window_closing.hpp"
#include "runtime/runtime_error.hpp"

namespace tamo {
namespace {

using FrameBuiltins = drawing_test;

TEST_F(FrameBuiltins, BeginFrameClearsToTheBackgroundExactly) {
    EXPECT_EQ(pixel(0, 0), background_rgb);
    EXPECT_EQ(pixel(999, 699), background_rgb);
    EXPECT_EQ(pixel(500, 350), background_rgb);
}

TEST_F(FrameBuiltins, RectangleColoursSurviveTheSrgbPathExactly) {
    const rgb colours[] = {{221, 233, 230}, {48, 116, 96}, {1, 128, 255}, {0, 0, 10}, {255, 1, 2}};
    int x = 10;
    for (const rgb& colour : colours) {
        DrawRectRgba(x, 100, 30, 20, colour.r, colour.g, colour.b);
        EXPECT_EQ(pixel(x, 100), colour);
        EXPECT_EQ(pixel(x + 29, 119), colour);
        EXPECT_EQ(pixel(x + 30, 110), background_rgb);
        EXPECT_EQ(pixel(x, 120), background_rgb);
        x += 40;
    }
}

TEST_F(FrameBuiltins, RectangleChannelsAreClampedToBytes) {
    DrawRectRgba(10, 10, 4, 4, -20, 300, 128);
    EXPECT_EQ(pixel(11, 11), (rgb{0, 255, 128}));
}

TEST_F(FrameBuiltins, NegativeWidthDrawsNothingAndNegativeHeightExtendsUpwards) {
    DrawRectRgba(100, 100, -5, 10, 200, 0, 0);
    EXPECT_EQ(drawn_pixels(90, 95, 20, 20), 0);
    DrawRectRgba(200, 100, 10, -5, 200, 0, 0);
    EXPECT_EQ(pixel(205, 95), (rgb{200, 0, 0}));
    EXPECT_EQ(pixel(205, 99), (rgb{200, 0, 0}));
    EXPECT_EQ(pixel(205, 100), background_rgb);
    EXPECT_EQ(pixel(205, 94), background_rgb);
}

TEST_F(FrameBuiltins, RoundedRectangleFillsItsBodyAndLeavesTheCorners) {
    DrawRoundedRectRgba(34, 627, 160, 44, 10, 60, 128, 108);
    EXPECT_EQ(pixel(114, 649), (rgb{60, 128, 108}));
    EXPECT_EQ(pixel(34, 649), (rgb{60, 128, 108}));
    EXPECT_EQ(pixel(114, 627), (rgb{60, 128, 108}));
    EXPECT_EQ(pixel(34, 627), background_rgb);
    EXPECT_EQ(pixel(193, 670), background_rgb);
    EXPECT_EQ(pixel(194, 649), background_rgb);
}

TEST_F(FrameBuiltins, SmallOrNegativeRadiiGivePlainRectanglesAndNoWidthNothing) {
    DrawRoundedRectRgba(100, 100, 20, 20, -4, 200, 0, 0);
    EXPECT_EQ(pixel(100, 100), (rgb{200, 0, 0}));
    DrawRoundedRectRgba(200, 100, 1, 20, 10, 0, 200, 0);
    EXPECT_EQ(pixel(200, 100), (rgb{0, 200, 0}));
    DrawRoundedRectRgba(300, 100, 0, 20, 10, 0, 0, 200);
    DrawRoundedRectRgba(300, 100, -8, 20, 10, 0, 0, 200);
    EXPECT_EQ(drawn_pixels(290, 95, 20, 30), 0);
}

TEST_F(FrameBuiltins, ChannelsDecodeThroughTheSrgbTableWhileTheWindowConvertsToSrgb) {
    EXPECT_EQ(channel_to_float(1), 0.000303527f);
    EXPECT_EQ(channel_to_float(255), 1.0f);
    EXPECT_EQ(channel_to_float(-3), 0.0f);
    close_all_windows();
    EXPECT_EQ(channel_to_float(1), 1.0f);
    EXPECT_EQ(channel_to_float(255), 1.0f);
    EXPECT_EQ(channel_to_float(51), 0.2f);
    EXPECT_EQ(channel_to_float(-3), 0.0f);
    EXPECT_EQ(channel_to_float(1000), 1.0f);
}

TEST_F(FrameBuiltins, EndFrameCountsFramesAndHoldsTheCountAtItsLargestValue) {
    canvas_frame_flags = 0;
    canvas_frame_count = 41;
    EndFrame();
    EXPECT_EQ(canvas_frame_count.load(), 42);
    EXPECT_EQ(canvas_frame_flags.load(), 2u);
    canvas_frame_count = std::numeric_limits<std::int64_t>::max();
    EndFrame();
    EXPECT_EQ(canvas_frame_count.load(), std::numeric_limits<std::int64_t>::max());
}

struct builtin_call {
    const char* name;
    std::function<void()> call;
};

const builtin_call window_builtins[] = {
    {"BeginFrame", [] { BeginFrame(); }},
    {"EndFrame", [] { EndFrame(); }},
    {"DrawRectRgba", [] { DrawRectRgba(0, 0, 1, 1, 0, 0, 0); }},
    {"DrawRoundedRectRgba", [] { DrawRoundedRectRgba(0, 0, 1, 1, 1, 0, 0, 0); }},
    {"DrawPixelsBgra8", [] { DrawPixelsBgra8(array_handle(), 0, 0, 0, 0, 1, 1); }},
    {"DrawTextStyled", [] { DrawTextStyled("x", 0, 0, 150, 0, 0, 0); }},
    {"DrawText",
     [] {
         DrawText("x", 0, 0, font_slot{1, nullptr}, 12, 0, 0, 0);
     }},
    {"MouseX", [] { MouseX(); }},
    {"MouseY", [] { MouseY(); }},
};

void expect_not_open_for_each_builtin() {
    for (const builtin_call& builtin : window_builtins) {
        try {
            builtin.call();
            ADD_FAILURE() << builtin.name << " did not raise";
        } catch (const mirk_runtime_exception& error) {
            EXPECT_EQ(std::string(error.what()), not_open_message(builtin.name));
        }
    }
}

TEST_F(FrameBuiltins, EveryBuiltinRaisesItsNameAfterTheWindowClosed) {
    close_all_windows();
    expect_not_open_for_each_builtin();
}

TEST_F(FrameBuiltins, AWindowClosedInsideTheBuiltinsDrainRaises) {
    PostMessageW(window->hwnd, WM_CLOSE, 0, 0);
    expect_not_open_for_each_builtin();
}

TEST(FrameBuiltinsWithoutAWindow, EveryBuiltinRaisesItsName) {
    reset_canvas_host();
    expect_not_open_for_each_builtin();
}

}  // namespace
}  // namespace tamo
