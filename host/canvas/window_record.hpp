#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "host/canvas/win32.hpp"

namespace tamo {

// Values stored in canvas_window::last_event_kind.
enum canvas_event_kind : std::int64_t {
    event_key_down = 100,
    event_key_up = 101,
    event_pointer_move = 200,
    event_pointer_down = 201,
    event_pointer_up = 202,
    event_wheel = 203,
    event_capture_lost = 204,
    event_pointer_cancelled = 205,
    event_file_drop = 210,
};

enum pointer_device_kind : std::int64_t {
    device_mouse = 1,
    device_touch = 2,
    device_pen = 3,
};

constexpr int font_slot_count = 10;
constexpr int font_list_count = 96;  // display lists for characters 32..127
constexpr std::size_t text_input_limit = 512;

struct font_slot {
    std::int32_t list_base = 0;  // first display list, 0 for none
    HFONT font = nullptr;
};

struct paired_key_texture {
    std::string first_key;
    std::string second_key;
    GLuint texture = 0;
};

struct keyed_texture {
    std::string key;
    GLuint texture = 0;
};

template <typename entry>
struct texture_cache {
    std::vector<entry> entries;
    std::int64_t hits = 0;
    std::int64_t misses = 0;
};

struct streaming_texture_state {
    GLuint texture = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// One window of the host. Native handles are released by
// close_canvas_window, never by the destructor.
struct canvas_window {
    std::int32_t id = 0;
    HWND hwnd = nullptr;
    HDC hdc = nullptr;
    HGLRC hglrc = nullptr;
    bool strict_srgb_format = false;
    bool srgb_active = false;
    bool translucent = false;
    PFNGLBLENDFUNCSEPARATEPROC blend_func_separate = nullptr;

    HDC present_dc = nullptr;
    HBITMAP present_bitmap = nullptr;
    HGDIOBJ present_old_bitmap = nullptr;
    std::uint32_t* present_bits = nullptr;
    std::int32_t present_width = 0;
    std::int32_t present_height = 0;
    std::int64_t present_bytes = 0;
    std::int64_t present_count = 0;
    std::uint32_t top_left_pixel = 0;
    bool present_ok = false;

    std::array<font_slot, font_slot_count> fonts{};

    std::int32_t client_width = 0;
    std::int32_t client_height = 0;
    std::int32_t window_x = 0;
    std::int32_t window_y = 0;
    bool open = false;
    bool visible = false;
    bool focused = false;
    bool minimized = false;
    bool close_requested = false;
    std::int32_t parent_id = 0;
    std::int32_t dpi_percent = 100;
    std::int32_t monitor_number = 1;

    std::int64_t state_revision = 0;
    std::int64_t last_event_kind = 0;
    std::int64_t input_revision = 0;
    std::int64_t event_code = 0;
    std::int64_t event_value = 0;
    std::int64_t event_modifiers = 0;
    std::int64_t event_repeat = 0;
    std::int64_t event_revision = 0;
    std::array<std::int64_t, 3> event_words{};

    std::int64_t pointer_id = 0;
    std::int64_t pointer_device = 0;
    std::int64_t pointer_buttons = 0;
    std::int64_t pointer_pressure = 0;
    std::int64_t pointer_wheel = 0;
    std::int64_t pointer_client_x = 0;
    std::int64_t pointer_client_y = 0;
    std::int64_t pointer_message_x = 0;
    std::int64_t pointer_message_y = 0;
    std::int64_t pointer_contact = 0;
    std::int64_t pointer_capture_lost = 0;
    std::int64_t pointer_cancelled = 0;

    std::int64_t press_revision = 0;
    std::int64_t press_pointer_id = 0;
    std::int64_t press_device = 0;
    std::int64_t press_pressure = 0;
    std::int64_t press_client_x = 0;
    std::int64_t press_client_y = 0;
    std::int64_t press_message_x = 0;
    std::int64_t press_message_y = 0;
    std::int64_t press_contact = 0;

    std::int64_t touch_count = 0;
    std::string dropped_path;
    std::int64_t modifier_mask = 0;  // shift 1, control 2, alt 4
    std::array<std::uint8_t, 256> press_counters{};
    std::string text_input;
    std::int64_t text_input_count = 0;
    std::uint16_t pending_high_surrogate = 0;
    std::string composition_text;
    std::int64_t composition_revision = 0;
    bool composing = false;
    std::int32_t caret_x = -1;
    std::int32_t caret_y = -1;
    std::int32_t caret_height = 0;

    bool caption_buttons = false;
    bool custom_hit_testing = false;
    bool chrome_drag_active = false;
    std::int32_t chrome_drag_code = 0;
    POINT chrome_drag_cursor{};
    RECT chrome_drag_rect{};

    texture_cache<paired_key_texture> paired_key_textures;
    texture_cache<keyed_texture> keyed_textures;
    streaming_texture_state streaming_texture;
};

}  // namespace tamo
