#include "host/canvas/window_closing.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/canvas/canvas_test_support.hpp"
#include "host/canvas/resource_counters.hpp"
#include "host/canvas/window_procedure.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

// Release calls in the order the host makes them.
std::vector<std::string> release_log;

std::string window_name(HWND hwnd) {
    canvas_window* window = find_window_by_handle(hwnd);
    return window ? "window " + std::to_string(window->id) : "unknown window";
}

void log_release_calls() {
    release_log.clear();
    auto& calls = platform();
    calls.SelectObject = [](HDC dc, HGDIOBJ object) -> HGDIOBJ {
        release_log.push_back("SelectObject");
        return ::SelectObject(dc, object);
    };
    calls.DeleteObject = [](HGDIOBJ object) -> BOOL {
        release_log.push_back(GetObjectType(object) == OBJ_FONT ? "DeleteObject font"
                                                                : "DeleteObject bitmap");
        return ::DeleteObject(object);
    };
    calls.DeleteDC = [](HDC dc) -> BOOL {
        release_log.push_back("DeleteDC");
        return ::DeleteDC(dc);
    };
    calls.glDeleteTextures = [](GLsizei count, const GLuint* textures) {
        release_log.push_back("glDeleteTextures");
        ::glDeleteTextures(count, textures);
    };
    calls.glDeleteLists = [](GLuint base, GLsizei count) {
        release_log.push_back("glDeleteLists");
        ::glDeleteLists(base, count);
    };
    calls.wglMakeCurrent = [](HDC dc, HGLRC context) -> BOOL {
        release_log.push_back(context ? "wglMakeCurrent" : "wglMakeCurrent none");
        return ::wglMakeCurrent(dc, context);
    };
    calls.wglDeleteContext = [](HGLRC context) -> BOOL {
        release_log.push_back("wglDeleteContext");
        return ::wglDeleteContext(context);
    };
    calls.ReleaseDC = [](HWND hwnd, HDC dc) -> int {
        release_log.push_back("ReleaseDC " + window_name(hwnd));
        return ::ReleaseDC(hwnd, dc);
    };
    calls.DestroyWindow = [](HWND hwnd) -> BOOL {
        release_log.push_back("DestroyWindow " + window_name(hwnd));
        return ::DestroyWindow(hwnd);
    };
}

std::vector<std::string> destroyed_windows() {
    std::vector<std::string> destroyed;
    for (const std::string& entry : release_log) {
        if (entry.starts_with("DestroyWindow")) {
            destroyed.push_back(entry);
        }
    }
    return destroyed;
}

void append(std::vector<std::string>& log, const std::string& entry, int times = 1) {
    log.insert(log.end(), times, entry);
}

using CanvasClosing = canvas_host_test;

TEST_F(CanvasClosing, ChildrenCloseBeforeTheirParentInIdOrder) {
    send(open_test_window(), WM_CLOSE, 0, 0);
    send(open_test_window(), WM_CLOSE, 0, 0);
    canvas_window& child = open_test_window(1);
    EXPECT_EQ(child.id, 3);
    EXPECT_EQ(child.parent_id, 1);
    log_release_calls();
    close_all_windows();
    EXPECT_EQ(destroyed_windows(),
              (std::vector<std::string>{"DestroyWindow window 3", "DestroyWindow window 1",
                                        "DestroyWindow window 2"}));
    auto& registry = window_registry_instance();
    EXPECT_EQ(registry.primary_id, 0);
    EXPECT_EQ(registry.active_id, 0);
    EXPECT_EQ(registry.next_id, 4);
    EXPECT_EQ(registry.windows.size(), 3u);
    for (const auto& [id, window] : registry.windows) {
        EXPECT_FALSE(window->open) << id;
        EXPECT_EQ(window->hwnd, nullptr) << id;
        EXPECT_EQ(window->hdc, nullptr) << id;
        EXPECT_EQ(window->hglrc, nullptr) << id;
        EXPECT_EQ(window->client_width, 0) << id;
        EXPECT_EQ(window->client_height, 0) << id;
    }
    EXPECT_EQ(active_window(), nullptr);
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

TEST_F(CanvasClosing, AWindowReleasesItsResourcesInOrder) {
    canvas_window& window = open_test_window();
    // A layered bitmap and cached textures, as a translucent window and the
    // texture caches would leave them.
    window.present_dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, 4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    window.present_bitmap =
        CreateDIBSection(window.present_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    window.present_old_bitmap = SelectObject(window.present_dc, window.present_bitmap);
    window.present_bytes = 64;
    canvas_resources.layered_bitmaps += 1;
    canvas_resources.layered_bitmap_bytes += 64;
    GLuint textures[3] = {};
    glGenTextures(3, textures);
    window.paired_key_textures.entries.push_back({"a", "b", textures[0]});
    window.keyed_textures.entries.push_back({"k", textures[1]});
    window.streaming_texture.texture = textures[2];
    canvas_resources.paired_key_textures += 1;
    canvas_resources.keyed_textures += 1;
    canvas_resources.streaming_textures += 1;
    const HFONT first_font = window.fonts[0].font;

    log_release_calls();
    close_canvas_window(window);

    std::vector<std::string> expected{"SelectObject", "DeleteObject bitmap", "DeleteDC",
                                      "wglMakeCurrent"};
    append(expected, "glDeleteTextures", 3);
    append(expected, "glDeleteLists", font_slot_count);
    append(expected, "DeleteObject font", font_slot_count);
    append(expected, "wglMakeCurrent none");
    append(expected, "wglDeleteContext");
    append(expected, "ReleaseDC window 1");
    append(expected, "DestroyWindow window 1");
    EXPECT_EQ(release_log, expected);
    EXPECT_EQ(canvas_resources.layered_bitmaps, 0);
    EXPECT_EQ(canvas_resources.layered_bitmap_bytes, 0);
    EXPECT_EQ(canvas_resources.paired_key_textures, 0);
    EXPECT_EQ(canvas_resources.keyed_textures, 0);
    EXPECT_EQ(canvas_resources.streaming_textures, 0);
    EXPECT_TRUE(window.paired_key_textures.entries.empty());
    EXPECT_TRUE(window.keyed_textures.entries.empty());
    EXPECT_EQ(window.present_dc, nullptr);
    EXPECT_EQ(window.present_bitmap, nullptr);
    EXPECT_EQ(window.present_bytes, 0);
    EXPECT_EQ(GetObjectType(first_font), 0u);
    for (const font_slot& slot : window.fonts) {
        EXPECT_EQ(slot.list_base, 0);
        EXPECT_EQ(slot.font, nullptr);
    }
}

// The system destroyed the window first: no device context is released, no
// OpenGL call is made without a current context, and the context and fonts
// still go.
TEST_F(CanvasClosing, AWindowTheSystemDestroyedReleasesOnlyWhatIsLeft) {
    canvas_window& window = open_test_window();
    const HFONT first_font = window.fonts[0].font;
    DestroyWindow(window.hwnd);
    log_release_calls();
    close_canvas_window(window);
    std::vector<std::string> expected;
    append(expected, "DeleteObject font", font_slot_count);
    append(expected, "wglMakeCurrent none");
    append(expected, "wglDeleteContext");
    EXPECT_EQ(release_log, expected);
    EXPECT_EQ(window.hglrc, nullptr);
    EXPECT_EQ(window.hdc, nullptr);
    EXPECT_EQ(GetObjectType(first_font), 0u);
    for (const font_slot& slot : window.fonts) {
        EXPECT_EQ(slot.list_base, 0);
    }
}

TEST_F(CanvasClosing, ClosingForgetsStateAndATwiceClosedWindowIsHarmless) {
    canvas_window& window = open_test_window();
    send(window, WM_KEYDOWN, 'A', 1);
    const std::int64_t revision = window.state_revision;
    close_canvas_window(window);
    EXPECT_EQ(window.press_counters['A'], 0);
    EXPECT_FALSE(window.open);
    EXPECT_FALSE(window.visible);
    EXPECT_FALSE(window.focused);
    EXPECT_GT(window.state_revision, revision);
    log_release_calls();
    close_canvas_window(window);
    EXPECT_TRUE(release_log.empty());
}

TEST_F(CanvasClosing, TheActiveWindowFallsBackToAnOpenPrimary) {
    auto& registry = window_registry_instance();
    EXPECT_EQ(active_window(), nullptr);
    EXPECT_FALSE(own_window_is_foreground());
    canvas_window& first = open_test_window();
    EXPECT_TRUE(own_window_is_foreground());
    send(first, WM_CLOSE, 0, 0);
    EXPECT_FALSE(own_window_is_foreground());
    canvas_window& second = open_test_window();
    registry.active_id = first.id;  // closed: the open primary takes over
    EXPECT_EQ(active_window(), &second);
    EXPECT_EQ(registry.active_id, second.id);
    registry.active_id = first.id;
    send(second, WM_CLOSE, 0, 0);
    EXPECT_EQ(active_window(), nullptr);
    EXPECT_EQ(registry.active_id, first.id);
}

TEST_F(CanvasClosing, RevisionsComeFromOneSequence) {
    canvas_window& window = open_test_window();
    auto& registry = window_registry_instance();
    send(window, WM_KEYDOWN, 'A', 1);
    const std::int64_t next = registry.sequence;
    bump_window_revision(window, 0);
    EXPECT_EQ(window.last_event_kind, event_key_down);
    EXPECT_EQ(window.state_revision, next);
    EXPECT_EQ(window.input_revision, next);
    EXPECT_EQ(window.event_revision, next);
    EXPECT_EQ(registry.sequence, next + 1);
    bump_window_revision(window, event_wheel);
    EXPECT_EQ(window.last_event_kind, event_wheel);
    EXPECT_EQ(window.state_revision, next + 1);
}

}  // namespace
}  // namespace tamo
