#include "host/canvas/window_closing.hpp"

#include <algorithm>
#include <vector>

#include "host/canvas/pointer_lock.hpp"
#include "host/canvas/resource_counters.hpp"
#include "host/canvas/window_procedure.hpp"
#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

void release_layered_bitmap(canvas_window& window) {
    auto& calls = platform();
    if (window.present_dc && window.present_old_bitmap) {
        calls.SelectObject(window.present_dc, window.present_old_bitmap);
        window.present_old_bitmap = nullptr;
    }
    if (window.present_bitmap) {
        calls.DeleteObject(window.present_bitmap);
        window.present_bitmap = nullptr;
        canvas_resources.layered_bitmaps -= 1;
        canvas_resources.layered_bitmap_bytes -= window.present_bytes;
    }
    if (window.present_dc) {
        calls.DeleteDC(window.present_dc);
        window.present_dc = nullptr;
    }
    window.present_ok = false;
    window.present_bits = nullptr;
    window.present_width = 0;
    window.present_height = 0;
    window.present_bytes = 0;
}

// Without a current context no OpenGL call is made: deleting the context
// frees its objects as well.
template <typename cache>
void release_cached_textures(cache& textures, std::int64_t& live_count, bool context_current) {
    for (auto& entry : textures.entries) {
        if (entry.texture != 0) {
            if (context_current) {
                platform().glDeleteTextures(1, &entry.texture);
            }
            live_count -= 1;
            entry.texture = 0;
        }
    }
    textures = {};
}

void release_context_and_fonts(canvas_window& window) {
    auto& calls = platform();
    if (!window.hglrc) {
        return;
    }
    const bool current = window.hdc && calls.wglMakeCurrent(window.hdc, window.hglrc);
    release_cached_textures(window.paired_key_textures, canvas_resources.paired_key_textures,
                            current);
    release_cached_textures(window.keyed_textures, canvas_resources.keyed_textures, current);
    if (window.streaming_texture.texture != 0) {
        if (current) {
            calls.glDeleteTextures(1, &window.streaming_texture.texture);
        }
        canvas_resources.streaming_textures -= 1;
    }
    window.streaming_texture = {};
    for (font_slot& slot : window.fonts) {
        if (slot.list_base != 0 && current) {
            calls.glDeleteLists(static_cast<GLuint>(slot.list_base), font_list_count);
        }
        slot.list_base = 0;
    }
    for (font_slot& slot : window.fonts) {
        delete_gdi_object(slot.font);
    }
    calls.wglMakeCurrent(nullptr, nullptr);
    calls.wglDeleteContext(window.hglrc);
    window.hglrc = nullptr;
}

std::vector<std::int32_t> sorted_ids(bool (*wanted)(const canvas_window&, std::int32_t),
                                     std::int32_t parent_id) {
    std::vector<std::int32_t> ids;
    for (auto& [id, window] : window_registry_instance().windows) {
        if (wanted(*window, parent_id)) {
            ids.push_back(id);
        }
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

void make_active_context_current() {
    auto& registry = window_registry_instance();
    canvas_window* active = find_window(registry.active_id);
    if (!active || !active->open) {
        registry.active_id = registry.primary_id;
        active = find_window(registry.active_id);
    }
    if (active && active->open && active->hdc && active->hglrc) {
        platform().wglMakeCurrent(active->hdc, active->hglrc);
    } else {
        registry.active_id = 0;
        platform().wglMakeCurrent(nullptr, nullptr);
    }
}

}  // namespace

void close_canvas_window(canvas_window& window) {
    auto& calls = platform();
    release_pointer_lock(window.hwnd);
    window.press_counters.fill(0);
    window.close_requested = false;
    window.open = false;
    window.visible = false;
    window.focused = false;
    window.minimized = false;
    bump_window_revision(window, 0);
    release_layered_bitmap(window);
    release_context_and_fonts(window);
    if (window.hdc && window.hwnd) {
        calls.ReleaseDC(window.hwnd, window.hdc);
    }
    window.hdc = nullptr;
    if (window.hwnd) {
        calls.DestroyWindow(window.hwnd);
        window.hwnd = nullptr;
    }
    window.client_width = 0;
    window.client_height = 0;
}

void close_all_windows() {
    auto& registry = window_registry_instance();
    const auto every_window = [](const canvas_window&, std::int32_t) { return true; };
    const auto open_child_of = [](const canvas_window& window, std::int32_t parent) {
        return window.parent_id == parent && window.hwnd != nullptr;
    };
    for (const std::int32_t id : sorted_ids(every_window, 0)) {
        for (const std::int32_t child : sorted_ids(open_child_of, id)) {
            close_canvas_window(*find_window(child));
        }
        close_canvas_window(*find_window(id));
        if (registry.active_id == id) {
            registry.active_id = registry.primary_id;
        }
        make_active_context_current();
        drain_window_messages();
    }
    registry.primary_id = 0;
    registry.active_id = 0;
}

}  // namespace tamo
