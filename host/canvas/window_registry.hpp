#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "host/canvas/window_record.hpp"

namespace tamo {

constexpr std::int32_t max_window_id = 16;

struct pointer_lock_state {
    HWND lock_window = nullptr;
    bool lock_requested = false;
    bool lock_active = false;
    bool raw_mouse_registered = false;
    bool cursor_visible = true;
    // y sum in the high 32 bits, x sum in the low 32 bits, each saturating.
    std::atomic<std::uint64_t> lock_motion{0};
};

// Owner of every window record of the process.
struct window_registry {
    std::unordered_map<std::int32_t, std::unique_ptr<canvas_window>> windows;
    std::vector<HMONITOR> monitors;
    std::int32_t next_id = 1;
    std::int32_t primary_id = 0;
    std::int32_t active_id = 0;
    std::int64_t sequence = 1;
    pointer_lock_state pointer_lock;
};

window_registry& window_registry_instance();

canvas_window* find_window(std::int32_t id);

// The record whose native window is the given one, or null.
canvas_window* find_window_by_handle(HWND hwnd);

// The active record when open, else the open primary record (made active).
canvas_window* active_window();

// Stamps the record with the next global revision; kind 0 keeps the last
// event kind.
void bump_window_revision(canvas_window& window, std::int64_t event_kind);

bool own_window_is_foreground();

}  // namespace tamo
