#include "host/canvas/delayed_clipboard.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "host/canvas/canvas_test_support.hpp"

namespace tamo {
namespace {

std::vector<HGLOBAL> freed_memory;

class CanvasDelayedClipboard : public canvas_window_test {
  protected:
    void SetUp() override {
        canvas_window_test::SetUp();
        freed_memory.clear();
        platform().GlobalFree = [](HGLOBAL memory) -> HGLOBAL {
            freed_memory.push_back(memory);
            return ::GlobalFree(memory);
        };
        other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                nullptr);
    }

    void TearDown() override {
        DestroyWindow(other);
        canvas_window_test::TearDown();
    }

    // Promises text to the clipboard as delayed CF_UNICODETEXT.
    HGLOBAL offer_text(const std::wstring& text) {
        const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        OpenClipboard(window->hwnd);
        EmptyClipboard();
        SetClipboardData(CF_UNICODETEXT, nullptr);
        CloseClipboard();
        delayed_clipboard.text_pending = 1;
        delayed_clipboard.clipboard_owner = window->hwnd;
        delayed_clipboard.clipboard_memory = memory;
        return memory;
    }

    // Reads the clipboard as another program would.
    std::wstring read_as_other() {
        std::wstring text;
        if (OpenClipboard(other)) {
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                text = static_cast<const wchar_t*>(GlobalLock(data));
                GlobalUnlock(data);
            }
            CloseClipboard();
        }
        return text;
    }

    void empty_as_other() {
        OpenClipboard(other);
        EmptyClipboard();
        CloseClipboard();
    }

    HWND other = nullptr;
};

TEST_F(CanvasDelayedClipboard, PendingTextIsRenderedOnRequest) {
    offer_text(L"dye \u00e9");
    EXPECT_EQ(GetClipboardOwner(), window->hwnd);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(read_as_other(), L"dye \u00e9");
    EXPECT_EQ(delayed_clipboard.render_count, 1);
    EXPECT_EQ(delayed_clipboard.clipboard_event_count, 1);
    EXPECT_EQ(delayed_clipboard.clipboard_state, clipboard_rendered);
    EXPECT_EQ(delayed_clipboard.clipboard_memory, nullptr);
    EXPECT_EQ(delayed_clipboard.text_pending, 1);
}

TEST_F(CanvasDelayedClipboard, EmptyingTheClipboardReleasesTheText) {
    HGLOBAL memory = offer_text(L"swirl");
    empty_as_other();
    EXPECT_EQ(delayed_clipboard.emptied_count, 1);
    EXPECT_EQ(delayed_clipboard.clipboard_event_count, 1);
    EXPECT_EQ(delayed_clipboard.clipboard_state, clipboard_released_by_emptying);
    EXPECT_EQ(delayed_clipboard.text_pending, 0);
    EXPECT_EQ(delayed_clipboard.clipboard_owner, nullptr);
    EXPECT_EQ(delayed_clipboard.clipboard_memory, nullptr);
    EXPECT_EQ(freed_memory, std::vector<HGLOBAL>{memory});
}

TEST_F(CanvasDelayedClipboard, TheOwnersDestructionRendersThenReleases) {
    offer_text(L"left behind");
    DestroyWindow(window->hwnd);
    EXPECT_EQ(delayed_clipboard.render_count, 1);
    EXPECT_EQ(delayed_clipboard.owner_destroyed_count, 1);
    EXPECT_EQ(delayed_clipboard.clipboard_event_count, 2);
    EXPECT_EQ(delayed_clipboard.clipboard_state, clipboard_released_by_owner_destruction);
    EXPECT_EQ(delayed_clipboard.text_pending, 0);
    EXPECT_EQ(delayed_clipboard.clipboard_owner, nullptr);
    EXPECT_TRUE(freed_memory.empty());  // the clipboard owns the rendered text
    EXPECT_EQ(read_as_other(), L"left behind");
}

TEST_F(CanvasDelayedClipboard, AFailedRenderKeepsTheMemoryWithTheHost) {
    HGLOBAL memory = offer_text(L"kept");
    platform().SetClipboardData = [](UINT, HANDLE) -> HANDLE { return nullptr; };
    send(WM_RENDERFORMAT, CF_UNICODETEXT, 0);
    EXPECT_EQ(delayed_clipboard.render_count, 0);
    EXPECT_EQ(delayed_clipboard.clipboard_memory, memory);
    EXPECT_EQ(delayed_clipboard.clipboard_state, 0);
    send(WM_DESTROYCLIPBOARD, 0, 0);
    EXPECT_EQ(freed_memory, std::vector<HGLOBAL>{memory});
    EXPECT_EQ(delayed_clipboard.clipboard_state, clipboard_released_by_emptying);
}

TEST_F(CanvasDelayedClipboard, RenderAllFormatsRendersForTheOwner) {
    offer_text(L"all");
    send(WM_RENDERALLFORMATS, 0, 0);
    EXPECT_EQ(delayed_clipboard.render_count, 1);
    EXPECT_EQ(read_as_other(), L"all");
}

TEST_F(CanvasDelayedClipboard, WithoutPendingTextNothingChanges) {
    HGLOBAL memory = offer_text(L"other format");
    send(WM_RENDERFORMAT, CF_TEXT, 0);  // only CF_UNICODETEXT is rendered
    EXPECT_EQ(delayed_clipboard.render_count, 0);
    delayed_clipboard = {};
    GlobalFree(memory);
    freed_memory.clear();
    for (const UINT message : {WM_RENDERFORMAT, WM_RENDERALLFORMATS, WM_DESTROYCLIPBOARD}) {
        EXPECT_EQ(send(message, CF_UNICODETEXT, 0), 0);
    }
    EXPECT_EQ(delayed_clipboard.clipboard_event_count, 0);
    EXPECT_EQ(delayed_clipboard.clipboard_state, 0);
    EXPECT_EQ(delayed_clipboard.emptied_count, 0);
    EXPECT_TRUE(freed_memory.empty());
}

}  // namespace
}  // namespace tamo
