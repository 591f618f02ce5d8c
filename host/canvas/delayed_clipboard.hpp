#pragma once

#include <cstdint>

#include "host/canvas/win32.hpp"

namespace tamo {

enum clipboard_outcome : std::int64_t {
    clipboard_rendered = 2,
    clipboard_released_by_emptying = 3,
    clipboard_released_by_owner_destruction = 4,
};

// UTF-16 text a host window promised to the clipboard, rendered on request.
struct delayed_clipboard_state {
    std::int64_t clipboard_event_count = 0;
    std::int64_t text_pending = 0;
    std::int64_t clipboard_state = 0;
    std::int64_t render_count = 0;
    std::int64_t emptied_count = 0;
    std::int64_t owner_destroyed_count = 0;
    HWND clipboard_owner = nullptr;
    HGLOBAL clipboard_memory = nullptr;
};

inline delayed_clipboard_state delayed_clipboard;

// Hands the pending text to the open clipboard (CF_UNICODETEXT only).
void render_clipboard_text(UINT format);

// Opens the clipboard and renders, while this window still owns it.
void flush_clipboard(HWND window);

// WM_DESTROYCLIPBOARD: the clipboard was emptied; the host frees the text.
void release_emptied_clipboard(HWND window);

// WM_DESTROY of the owner: renders what it can, then frees the text.
void release_clipboard_of_destroyed_owner(HWND window);

}  // namespace tamo
