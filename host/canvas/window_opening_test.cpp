#include "host/canvas/window_opening.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "host/canvas/canvas_test_support.hpp"
#include "host/canvas/fonts.hpp"
#include "host/canvas/pixel_format.hpp"
#include "host/canvas/window_registry.hpp"
#include "runtime/runtime_error.hpp"

namespace tamo {
namespace {

std::wstring window_text(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

std::wstring class_name(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

using CanvasOpening = canvas_host_test;

TEST_F(CanvasOpening, OpensThePrimaryWindowWithItsDefaults) {
    canvas_window& window = open_test_window();
    const auto& registry = window_registry_instance();
    EXPECT_EQ(window.id, 1);
    EXPECT_EQ(registry.primary_id, 1);
    EXPECT_EQ(registry.active_id, 1);
    EXPECT_EQ(registry.next_id, 2);
    EXPECT_TRUE(window.strict_srgb_format);
    EXPECT_TRUE(window.srgb_active);
    EXPECT_TRUE(glIsEnabled(GL_FRAMEBUFFER_SRGB));
    EXPECT_FALSE(window.translucent);
    EXPECT_TRUE(window.open);
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(window.caption_buttons);
    EXPECT_TRUE(window.custom_hit_testing);
    EXPECT_EQ(window.parent_id, 0);
    EXPECT_EQ(window.dpi_percent, 100);
    EXPECT_EQ(window.monitor_number, 1);
    EXPECT_EQ(window.caret_x, -1);
    EXPECT_GT(window.state_revision, 0);
    EXPECT_EQ(window.client_width, 1000);
    EXPECT_EQ(window.client_height, 700);
    RECT client{};
    GetClientRect(window.hwnd, &client);
    EXPECT_EQ(client.right, 1000);
    EXPECT_EQ(client.bottom, 700);
    EXPECT_EQ(class_name(window.hwnd), L"tamo_window_input_canvas_window");
    EXPECT_EQ(window_text(window.hwnd), L"Vividswirl / Tamo + Quorvel fluid");
    EXPECT_TRUE(IsWindowVisible(window.hwnd));
    EXPECT_EQ(wglGetCurrentContext(), window.hglrc);
    for (const font_slot& slot : window.fonts) {
        EXPECT_NE(slot.font, nullptr);
        EXPECT_NE(slot.list_base, 0);
        EXPECT_TRUE(glIsList(slot.list_base + 'A' - 32));
    }
}

TEST_F(CanvasOpening, AnInvalidUtf8TitleGivesAnEmptyOne) {
    open_canvas_window("bad \xFF\xFE title", 320, 240, 0);
    ASSERT_NE(active_window(), nullptr);
    EXPECT_EQ(window_text(active_window()->hwnd), L"");
}

TEST_F(CanvasOpening, ASecondOpenReactivatesTheOpenPrimaryWindow) {
    canvas_window& window = open_test_window();
    auto& registry = window_registry_instance();
    registry.active_id = 0;
    wglMakeCurrent(nullptr, nullptr);
    open_canvas_window("another", 200, 200, 0);
    EXPECT_EQ(registry.active_id, 1);
    EXPECT_EQ(registry.next_id, 2);
    EXPECT_EQ(registry.windows.size(), 1u);
    EXPECT_EQ(wglGetCurrentContext(), window.hglrc);
}

TEST_F(CanvasOpening, NothingOpensOnceSixteenWindowsWereOpened) {
    auto& registry = window_registry_instance();
    registry.next_id = 17;
    EXPECT_NO_THROW(open_canvas_window(test_window_title, 1000, 700, 0));
    EXPECT_TRUE(registry.windows.empty());
    EXPECT_EQ(registry.next_id, 17);
    EXPECT_EQ(registry.primary_id, 0);
}

// Native objects made and released while a failing opening runs.
struct native_ledger {
    std::vector<HWND> windows_created;
    std::vector<HWND> windows_destroyed;
    int device_contexts_open = 0;
    std::map<HGLRC, int> contexts_deleted;
};
native_ledger ledger;

void track_native_objects() {
    ledger = {};
    auto& calls = platform();
    calls.CreateWindowExW = [](DWORD ex, LPCWSTR cls, LPCWSTR title, DWORD style, int x, int y,
                               int w, int h, HWND parent, HMENU menu, HINSTANCE module,
                               LPVOID data) -> HWND {
        HWND made =
            ::CreateWindowExW(ex, cls, title, style, x, y, w, h, parent, menu, module, data);
        if (made) {
            ledger.windows_created.push_back(made);
        }
        return made;
    };
    calls.DestroyWindow = [](HWND window) -> BOOL {
        ledger.windows_destroyed.push_back(window);
        return ::DestroyWindow(window);
    };
    calls.GetDC = [](HWND window) -> HDC {
        HDC dc = ::GetDC(window);
        ledger.device_contexts_open += dc ? 1 : 0;
        return dc;
    };
    calls.ReleaseDC = [](HWND window, HDC dc) -> int {
        ledger.device_contexts_open -= 1;
        return ::ReleaseDC(window, dc);
    };
    calls.wglDeleteContext = [](HGLRC context) -> BOOL {
        ledger.contexts_deleted[context] += 1;
        return ::wglDeleteContext(context);
    };
}

struct opening_failure {
    const char* name;
    void (*break_platform)();
    const char* message;
};

// Which window is the one being opened: the probe window is a 1 x 1 popup.
bool is_main_window_dc(HDC dc) {
    HWND window = WindowFromDC(dc);
    return window && (GetWindowLongW(window, GWL_STYLE) & WS_POPUP) == 0;
}

const opening_failure opening_failures[] = {
    {"window",
     [] {
         platform().CreateWindowExW = [](DWORD, LPCWSTR, LPCWSTR, DWORD, int, int, int, int, HWND,
                                         HMENU, HINSTANCE, LPVOID) -> HWND { return nullptr; };
     },
     "window.canvas: failed to create window/canvas window"},
    {"device context", [] { platform().GetDC = [](HWND) -> HDC { return nullptr; }; },
     "window.canvas: failed to acquire window/canvas device context"},
    {"describe",
     [] {
         platform().DescribePixelFormat = [](HDC, int, UINT, LPPIXELFORMATDESCRIPTOR) -> int {
             return 0;
         };
     },
     "window.canvas: failed to describe strict sRGB window/canvas pixel format"},
    {"choose",
     [] {
         platform().ChoosePixelFormat = [](HDC, const PIXELFORMATDESCRIPTOR*) -> int { return 0; };
     },
     "window.canvas: failed to configure window/canvas OpenGL pixel format"},
    {"set",
     [] {
         platform().SetPixelFormat = [](HDC, int, const PIXELFORMATDESCRIPTOR*) -> BOOL {
             return FALSE;
         };
     },
     "window.canvas: failed to configure window/canvas OpenGL pixel format"},
    {"create context",
     [] {
         platform().wglCreateContext = [](HDC dc) -> HGLRC {
             return is_main_window_dc(dc) ? nullptr : ::wglCreateContext(dc);
         };
     },
     "window.canvas: failed to activate window/canvas OpenGL context"},
    {"make current",
     [] {
         platform().wglMakeCurrent = [](HDC dc, HGLRC context) -> BOOL {
             return dc && is_main_window_dc(dc) ? FALSE : ::wglMakeCurrent(dc, context);
         };
     },
     "window.canvas: failed to activate window/canvas OpenGL context"},
};

TEST_F(CanvasOpening, EachFailureRaisesItsMessageAndReleasesWhatWasMade) {
    for (const opening_failure& failure : opening_failures) {
        SCOPED_TRACE(failure.name);
        platform() = platform_calls{};
        track_native_objects();
        failure.break_platform();
        auto& registry = window_registry_instance();
        try {
            open_canvas_window(test_window_title, 1000, 700, 0);
            ADD_FAILURE() << "no exception";
        } catch (const mirk_runtime_exception& error) {
            EXPECT_STREQ(error.what(), failure.message);
            EXPECT_EQ(error.info.code, "window.canvas");
            EXPECT_EQ(error.info.source, "mirk_window_input_canvas");
            EXPECT_EQ(error.info.number, 0);
            EXPECT_EQ(error.info.detail, "");
        }
        EXPECT_EQ(registry.next_id, 1);
        EXPECT_EQ(registry.primary_id, 0);
        EXPECT_EQ(registry.active_id, 0);
        EXPECT_TRUE(registry.windows.empty());
        EXPECT_EQ(ledger.device_contexts_open, 0);
        for (HWND made : ledger.windows_created) {
            EXPECT_FALSE(IsWindow(made));
        }
        for (const auto& [context, deletions] : ledger.contexts_deleted) {
            EXPECT_EQ(deletions, 1);
        }
    }
}

// The probe's temporary context is deleted exactly once when it cannot be
// made current.
TEST_F(CanvasOpening, AProbeContextThatCannotBeMadeCurrentIsDeletedOnce) {
    canvas_window& window = open_test_window();
    track_native_objects();
    platform().wglMakeCurrent = [](HDC dc, HGLRC context) -> BOOL {
        return context && dc && !is_main_window_dc(dc) ? FALSE : ::wglMakeCurrent(dc, context);
    };
    EXPECT_EQ(choose_strict_srgb_pixel_format(window.hdc), 0);
    ASSERT_EQ(ledger.contexts_deleted.size(), 1u);
    EXPECT_EQ(ledger.contexts_deleted.begin()->second, 1);
    EXPECT_EQ(ledger.windows_created.size(), 1u);
    EXPECT_EQ(ledger.windows_destroyed, ledger.windows_created);
    EXPECT_EQ(ledger.device_contexts_open, 0);
    EXPECT_EQ(wglGetCurrentContext(), window.hglrc);
}

TEST_F(CanvasOpening, TheStrictSearchRestoresThePreviousContext) {
    canvas_window& window = open_test_window();
    EXPECT_GT(choose_strict_srgb_pixel_format(window.hdc), 0);
    EXPECT_EQ(wglGetCurrentContext(), window.hglrc);
    EXPECT_EQ(wglGetCurrentDC(), window.hdc);
    // Only one remembered handle: nothing can be restored, so no format.
    platform().wglGetCurrentContext = []() -> HGLRC { return nullptr; };
    EXPECT_EQ(choose_strict_srgb_pixel_format(window.hdc), 0);
}

TEST_F(CanvasOpening, PixelFormatQualificationNeedsADeviceContextAndAnIndex) {
    canvas_window& window = open_test_window();
    const int format = GetPixelFormat(window.hdc);
    EXPECT_TRUE(pixel_format_is_srgb_capable(window.hdc, format));
    EXPECT_FALSE(pixel_format_is_srgb_capable(nullptr, format));
    EXPECT_FALSE(pixel_format_is_srgb_capable(window.hdc, 0));
    EXPECT_FALSE(pixel_format_is_srgb_capable(window.hdc, -1));
}

std::intptr_t absent_choose_value = 0;

TEST_F(CanvasOpening, WithoutTheStrictSearchTheLegacyFormatIsUsed) {
    for (const std::intptr_t absent : {0, 1, 2, 3, -1}) {
        SCOPED_TRACE(absent);
        reset_canvas_host();
        absent_choose_value = absent;
        platform().wglGetProcAddress = [](LPCSTR name) -> PROC {
            if (std::string(name) == "wglChoosePixelFormatARB") {
                return reinterpret_cast<PROC>(absent_choose_value);
            }
            return ::wglGetProcAddress(name);
        };
        canvas_window& window = open_test_window();
        EXPECT_FALSE(window.strict_srgb_format);
        EXPECT_FALSE(window.srgb_active);
        EXPECT_FALSE(glIsEnabled(GL_FRAMEBUFFER_SRGB));
        const PIXELFORMATDESCRIPTOR legacy = legacy_pixel_format_descriptor(32);
        EXPECT_EQ(GetPixelFormat(window.hdc), ChoosePixelFormat(window.hdc, &legacy));
        PIXELFORMATDESCRIPTOR chosen{};
        DescribePixelFormat(window.hdc, GetPixelFormat(window.hdc), sizeof(chosen), &chosen);
        EXPECT_EQ(chosen.cColorBits, 32);
        EXPECT_TRUE(chosen.dwFlags & PFD_DOUBLEBUFFER);
    }
}

TEST_F(CanvasOpening, ATextureProbeAnsweringAnotherFormatLeavesSrgbOff) {
    platform().glGetTexLevelParameteriv = [](GLenum, GLint, GLenum, GLint* value) {
        *value = GL_RGBA8;
    };
    canvas_window& window = open_test_window();
    EXPECT_TRUE(window.strict_srgb_format);
    EXPECT_FALSE(window.srgb_active);
    EXPECT_FALSE(glIsEnabled(GL_FRAMEBUFFER_SRGB));
}

TEST_F(CanvasOpening, DarkCaptionColoursAreSetThroughTheWindowManager) {
    static std::vector<std::pair<DWORD, DWORD>> attributes;
    attributes.clear();
    platform().GetProcAddress = [](HMODULE module, LPCSTR name) -> FARPROC {
        if (std::string(name) == "DwmSetWindowAttribute") {
            return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(
                +[](HWND, DWORD attribute, LPCVOID value, DWORD size) -> HRESULT {
                    EXPECT_EQ(size, 4u);
                    attributes.emplace_back(attribute, *static_cast<const DWORD*>(value));
                    return S_OK;
                }));
        }
        return ::GetProcAddress(module, name);
    };
    open_test_window();
    const std::vector<std::pair<DWORD, DWORD>> expected{
        {20, 1}, {19, 1}, {35, 0x181412}, {34, 0x362F2B}, {36, 0xE2E8E8}};
    EXPECT_EQ(attributes, expected);
}

TEST_F(CanvasOpening, AMissingWindowManagerIsSkipped) {
    platform().LoadLibraryA = [](LPCSTR) -> HMODULE { return nullptr; };
    EXPECT_TRUE(open_test_window().open);
}

TEST_F(CanvasOpening, DpiScaleAndMonitorNumbers) {
    platform().GetDpiForWindow = [](HWND) -> UINT { return 120; };
    canvas_window& first = open_test_window();
    EXPECT_EQ(first.dpi_percent, 125);
    EXPECT_EQ(first.monitor_number, 1);
    // The first window hides; a second one on the same monitor gets its number.
    send(first, WM_CLOSE, 0, 0);
    canvas_window& second = open_test_window();
    EXPECT_EQ(second.id, 2);
    EXPECT_EQ(second.monitor_number, 1);
    EXPECT_EQ(window_registry_instance().monitors.size(), 1u);

    struct dpi_case {
        UINT dpi;
        std::int32_t percent;
    };
    for (const dpi_case c : {dpi_case{96, 100}, {144, 150}, {192, 200}, {0, 200}}) {
        static UINT dpi;
        dpi = c.dpi;
        platform().GetDpiForWindow = [](HWND) -> UINT { return dpi; };
        update_dpi_and_monitor(second);
        EXPECT_EQ(second.dpi_percent, c.percent) << c.dpi;
    }
}

TEST_F(CanvasOpening, MonitorsAreNumberedInTheOrderFirstMet) {
    canvas_window& window = open_test_window();
    static HMONITOR answer;
    platform().MonitorFromWindow = [](HWND, DWORD) -> HMONITOR { return answer; };
    const HMONITOR real = window_registry_instance().monitors.at(0);
    const HMONITOR other = reinterpret_cast<HMONITOR>(0x7777);
    for (const auto& [monitor, number] : {std::pair{other, 2}, {real, 1}, {other, 2}}) {
        answer = monitor;
        update_dpi_and_monitor(window);
        EXPECT_EQ(window.monitor_number, number);
    }
    EXPECT_EQ(window_registry_instance().monitors.size(), 2u);
    answer = nullptr;
    update_dpi_and_monitor(window);
    EXPECT_EQ(window.monitor_number, 0);
}

// A failed display-list build puts the previous font back, so the failed
// font is not left selected in the window's own device context.
TEST_F(CanvasOpening, AFailedFontListBuildSelectsThePreviousFontBack) {
    canvas_window& window = open_test_window();
    HGDIOBJ before = GetCurrentObject(window.hdc, OBJ_FONT);
    HFONT font = create_ui_font(20, FW_BOLD);
    ASSERT_NE(font, nullptr);
    platform().wglUseFontBitmapsA = [](HDC, DWORD, DWORD, DWORD) -> BOOL { return FALSE; };
    EXPECT_EQ(create_font_display_lists(window.hdc, font), 0);
    EXPECT_EQ(GetCurrentObject(window.hdc, OBJ_FONT), before);
    platform() = platform_calls{};
    const std::int32_t base = create_font_display_lists(window.hdc, font);
    EXPECT_NE(base, 0);
    EXPECT_EQ(GetCurrentObject(window.hdc, OBJ_FONT), before);
    glDeleteLists(base, font_list_count);
    DeleteObject(font);
    EXPECT_EQ(create_font_display_lists(window.hdc, nullptr), 0);
}

}  // namespace
}  // namespace tamo
