#include "host/canvas/layered_present.hpp"

#include <algorithm>

#include "host/canvas/platform_calls.hpp"
#include "host/canvas/resource_counters.hpp"
#include "host/canvas/srgb_premultiply.hpp"

namespace tamo {
namespace {

BITMAPINFO bottom_up_bitmap_info(std::int32_t width, std::int32_t height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: rows bottom-up like the read-back
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Keeps a bitmap section of width x height for the window, making a new one
// when the size changed; false when none can be had within the budget.
bool ensure_present_bitmap(canvas_window& window, std::int32_t width, std::int32_t height) {
    if (window.present_bitmap && window.present_bits && window.present_width == width &&
        window.present_height == height) {
        return true;
    }
    auto& calls = platform();
    const std::int64_t bytes = std::int64_t{width} * height * 4;
    if (canvas_resources.layered_bitmap_bytes + bytes - window.present_bytes >
        layered_bytes_budget) {
        return false;
    }
    const bool made_context = !window.present_dc;
    HDC memory = made_context ? calls.CreateCompatibleDC(nullptr) : window.present_dc;
    if (!memory) {
        return false;
    }
    const auto drop_made_context = [&] {
        if (made_context) {
            calls.DeleteDC(memory);
        }
    };
    const BITMAPINFO info = bottom_up_bitmap_info(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = calls.CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) {
            calls.DeleteObject(bitmap);
        }
        drop_made_context();
        return false;
    }
    HGDIOBJ previous = calls.SelectObject(memory, bitmap);
    if (!previous || previous == HGDI_ERROR) {
        calls.DeleteObject(bitmap);
        drop_made_context();
        return false;
    }
    if (made_context) {
        window.present_dc = memory;
        window.present_old_bitmap = previous;
    }
    if (window.present_bitmap) {
        calls.DeleteObject(window.present_bitmap);
        canvas_resources.layered_bitmap_bytes -= window.present_bytes;
    } else {
        canvas_resources.layered_bitmaps += 1;
    }
    window.present_bitmap = bitmap;
    window.present_bits = static_cast<std::uint32_t*>(bits);
    window.present_width = width;
    window.present_height = height;
    window.present_bytes = bytes;
    canvas_resources.layered_bitmap_bytes += bytes;
    return true;
}

void premultiply_pixels(canvas_window& window) {
    const std::int64_t count = std::int64_t{window.present_width} * window.present_height;
    for (std::int64_t i = 0; i < count; ++i) {
        const std::uint32_t pixel = window.present_bits[i];
        const auto alpha = static_cast<std::uint8_t>(pixel >> 24);
        const auto channel = [&](int shift) -> std::uint32_t {
            return premultiply_srgb_channel(static_cast<std::uint8_t>(pixel >> shift), alpha);
        };
        window.present_bits[i] =
            (pixel & 0xFF000000u) | (channel(16) << 16) | (channel(8) << 8) | channel(0);
    }
    const std::int64_t top_row = std::int64_t{window.present_height - 1} * window.present_width;
    window.top_left_pixel = window.present_bits[top_row];
}

}  // namespace

void present_layered_window(canvas_window& window) {
    window.present_ok = false;
    if (window.client_width > layered_side_limit || window.client_height > layered_side_limit) {
        return;
    }
    const std::int32_t width = std::max(window.client_width, 1);
    const std::int32_t height = std::max(window.client_height, 1);
    if (!ensure_present_bitmap(window, width, height)) {
        return;
    }
    auto& calls = platform();
    calls.glReadBuffer(GL_BACK);
    calls.glReadPixels(0, 0, window.present_width, window.present_height, GL_BGRA, GL_UNSIGNED_BYTE,
                       window.present_bits);
    premultiply_pixels(window);

    RECT frame{};
    if (!calls.GetWindowRect(window.hwnd, &frame)) {
        return;
    }
    HDC screen = calls.GetDC(nullptr);
    if (!screen) {
        return;
    }
    POINT destination{frame.left, frame.top};
    SIZE size{window.present_width, window.present_height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    const BOOL presented = calls.UpdateLayeredWindow(
        window.hwnd, screen, &destination, &size, window.present_dc, &source, 0, &blend, ULW_ALPHA);
    calls.ReleaseDC(nullptr, screen);
    if (!presented) {
        return;
    }
    window.present_count += 1;
    window.present_ok = true;
    if (!window.visible) {
        calls.ShowWindow(window.hwnd, SW_SHOW);
        window.visible = true;
    }
}

}  // namespace tamo
