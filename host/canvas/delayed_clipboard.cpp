#include "host/canvas/delayed_clipboard.hpp"

#include "host/canvas/platform_calls.hpp"

namespace tamo {
namespace {

bool owns_pending_text(HWND window) {
    return delayed_clipboard.text_pending != 0 && window == delayed_clipboard.clipboard_owner;
}

void release(clipboard_outcome outcome, std::int64_t& counter) {
    auto& clipboard = delayed_clipboard;
    if (clipboard.clipboard_memory) {
        platform().GlobalFree(clipboard.clipboard_memory);
        clipboard.clipboard_memory = nullptr;
    }
    ++counter;
    ++clipboard.clipboard_event_count;
    clipboard.clipboard_owner = nullptr;
    clipboard.text_pending = 0;
    clipboard.clipboard_state = outcome;
}

}  // namespace

void render_clipboard_text(UINT format) {
    auto& clipboard = delayed_clipboard;
    if (format != CF_UNICODETEXT || clipboard.text_pending == 0 || !clipboard.clipboard_memory) {
        return;
    }
    if (!platform().SetClipboardData(CF_UNICODETEXT, clipboard.clipboard_memory)) {
        return;  // the memory stays with the host
    }
    ++clipboard.render_count;
    ++clipboard.clipboard_event_count;
    clipboard.clipboard_memory = nullptr;  // the clipboard owns it now
    clipboard.clipboard_state = clipboard_rendered;
}

void flush_clipboard(HWND window) {
    auto& calls = platform();
    if (!owns_pending_text(window) || calls.GetClipboardOwner() != window ||
        !calls.OpenClipboard(window)) {
        return;
    }
    render_clipboard_text(CF_UNICODETEXT);
    calls.CloseClipboard();
}

void release_emptied_clipboard(HWND window) {
    if (owns_pending_text(window)) {
        release(clipboard_released_by_emptying, delayed_clipboard.emptied_count);
    }
}

void release_clipboard_of_destroyed_owner(HWND window) {
    if (!owns_pending_text(window)) {
        return;
    }
    flush_clipboard(window);
    release(clipboard_released_by_owner_destruction, delayed_clipboard.owner_destroyed_count);
}

}  // namespace tamo
