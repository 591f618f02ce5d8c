#include "host/canvas/layered_present.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "host/canvas/canvas_test_support.hpp"
#include "host/canvas/frame_builtins.hpp"
#include "host/canvas/pixel_format.hpp"
#include "host/canvas/resource_counters.hpp"
#include "host/canvas/window_classes.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

// The host opens only opaque windows; this makes a translucent one of the
// translucent class, with a layered extended style, an OpenGL context and
// the separate blend entry point, and makes it active.
canvas_window& open_translucent_window(std::int32_t width, std::int32_t height) {
    register_canvas_window_classes();
    HWND hwnd =
        CreateWindowExW(WS_EX_LAYERED, canvas_translucent_window_class, L"translucent", WS_POPUP,
                        120, 80, width, height, nullptr, nullptr, program_module(), nullptr);
    HDC dc = GetDC(hwnd);
    PIXELFORMATDESCRIPTOR descriptor = legacy_pixel_format_descriptor(32);
    SetPixelFormat(dc, ChoosePixelFormat(dc, &descriptor), &descriptor);
    HGLRC context = wglCreateContext(dc);
    wglMakeCurrent(dc, context);

    auto& registry = window_registry_instance();
    auto record = std::make_unique<canvas_window>();
    record->id = registry.next_id++;
    record->hwnd = hwnd;
    record->hdc = dc;
    record->hglrc = context;
    record->translucent = true;
    record->blend_func_separate = reinterpret_cast<PFNGLBLENDFUNCSEPARATEPROC>(
        reinterpret_cast<void*>(wglGetProcAddress("glBlendFuncSeparate")));
    record->client_width = width;
    record->client_height = height;
    record->open = true;
    canvas_window& stored = *(registry.windows[record->id] = std::move(record));
    registry.active_id = stored.id;
    return stored;
}

void draw_frame(std::int32_t r, std::int32_t g, std::int32_t b) {
    BeginFrame();
    DrawRectRgba(0, 0, 4, 4, r, g, b);
    EndFrame();
}

using LayeredPresent = canvas_host_test;

TEST_F(LayeredPresent, AFramePresentsTheWindowAndShowsIt) {
    canvas_window& window = open_translucent_window(64, 48);
    ASSERT_TRUE(window.hglrc);
    ASSERT_TRUE(window.blend_func_separate);
    EXPECT_FALSE(IsWindowVisible(window.hwnd));
    draw_frame(200, 30, 90);
    EXPECT_TRUE(window.present_ok);
    EXPECT_EQ(window.present_count, 1);
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
    EXPECT_EQ(window.top_left_pixel, 0xFFC81E5Au);
    EXPECT_EQ(window.present_width, 64);
    EXPECT_EQ(window.present_height, 48);
    EXPECT_EQ(canvas_resources.layered_bitmaps, 1);
    EXPECT_EQ(canvas_resources.layered_bitmap_bytes, 64 * 48 * 4);
    draw_frame(10, 20, 30);
    EXPECT_EQ(window.present_count, 2);
    EXPECT_EQ(window.top_left_pixel, 0xFF0A141Eu);
    EXPECT_EQ(canvas_resources.layered_bitmaps, 1);
}

TEST_F(LayeredPresent, ResizingReplacesTheBitmapAndKeepsTheCountersTrue) {
    canvas_window& window = open_translucent_window(64, 48);
    draw_frame(1, 2, 3);
    window.client_width = 32;
    window.client_height = 16;
    draw_frame(1, 2, 3);
    EXPECT_TRUE(window.present_ok);
    EXPECT_EQ(window.present_width, 32);
    EXPECT_EQ(canvas_resources.layered_bitmaps, 1);
    EXPECT_EQ(canvas_resources.layered_bitmap_bytes, 32 * 16 * 4);
}

TEST_F(LayeredPresent, ClientsWiderThanTheLimitNeverPresent) {
    canvas_window& window = open_translucent_window(64, 48);
    window.client_width = layered_side_limit + 1;
    draw_frame(1, 2, 3);
    EXPECT_FALSE(window.present_ok);
    EXPECT_EQ(window.present_count, 0);
    EXPECT_EQ(canvas_resources.layered_bitmaps, 0);
}

TEST_F(LayeredPresent, BitmapsBeyondTheProcessBudgetAreNotMade) {
    canvas_window& window = open_translucent_window(64, 48);
    canvas_resources.layered_bitmap_bytes = layered_bytes_budget - 64 * 48 * 4 + 1;
    draw_frame(1, 2, 3);
    EXPECT_FALSE(window.present_ok);
    canvas_resources.layered_bitmap_bytes = layered_bytes_budget - 64 * 48 * 4;
    draw_frame(1, 2, 3);
    EXPECT_TRUE(window.present_ok);
    canvas_resources.layered_bitmap_bytes -= layered_bytes_budget - 64 * 48 * 4;
}

TEST_F(LayeredPresent, AFailedLayeredUpdateLeavesTheFrameUnpresented) {
    canvas_window& window = open_translucent_window(64, 48);
    platform().UpdateLayeredWindow = [](HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF,
                                        BLENDFUNCTION*, DWORD) -> BOOL { return FALSE; };
    draw_frame(1, 2, 3);
    EXPECT_FALSE(window.present_ok);
    EXPECT_FALSE(window.visible);
}

TEST_F(LayeredPresent, ClosingReleasesTheBitmap) {
    open_translucent_window(64, 48);
    draw_frame(1, 2, 3);
    reset_canvas_host();
    EXPECT_EQ(canvas_resources.layered_bitmaps, 0);
    EXPECT_EQ(canvas_resources.layered_bitmap_bytes, 0);
}

}  // namespace
}  // namespace tamo
