#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/canvas_builtins.hpp"

namespace tamo {

// One drawing call: its builtin, text and numeric arguments.
struct drawn {
    std::string builtin;
    std::string text;
    std::vector<std::int64_t> numbers;
    bool operator==(const drawn&) const = default;
};

// Builtins answering from a script: queued key presses, held keys, the
// left button, the cursor and the clock; every call is recorded.
class scripted_canvas : public canvas_builtins {
  public:
    void open_canvas_window(std::string_view title, std::int32_t width,
                            std::int32_t height) override {
        calls.push_back("open " + std::string(title) + " " + std::to_string(width) + "x" +
                        std::to_string(height));
        window_open = true;
    }
    void close_all_windows() override { calls.push_back("close all"); }
    void drain_window_messages() override { calls.push_back("drain"); }
    bool primary_window_open() override { return window_open; }

    std::int64_t monotonic_ms() override {
        calls.push_back("clock");
        return now_ms;
    }
    void sleep_frame(std::int64_t total_ms) override {
        calls.push_back("sleep " + std::to_string(total_ms));
    }

    bool key_pressed(std::string_view name) override {
        ++press_queries[std::string(name)];
        auto found = presses.find(std::string(name));
        if (found == presses.end() || found->second == 0) {
            return false;
        }
        --found->second;
        return true;
    }
    bool key_is_down(std::string_view name) override {
        return held_keys.contains(std::string(name));
    }
    bool mouse_button_down(std::string_view name) override { return name == "LEFT" && left_down; }
    std::int32_t mouse_x() override { return cursor_x; }
    std::int32_t mouse_y() override { return cursor_y; }

    void begin_frame() override { record({"BeginFrame", "", {}}); }
    void end_frame() override { record({"EndFrame", "", {}}); }
    void draw_text_styled(std::string_view text, std::int32_t x, std::int32_t y,
                          std::int32_t size_code, std::int32_t r, std::int32_t g,
                          std::int32_t b) override {
        record({"DrawTextStyled", std::string(text), {x, y, size_code, r, g, b}});
    }
    void draw_rect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                   std::int64_t r, std::int64_t g, std::int64_t b) override {
        record({"DrawRectRgba", "", {x, y, width, height, r, g, b}});
    }
    void draw_rounded_rect(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                           std::int64_t radius, std::int64_t r, std::int64_t g,
                           std::int64_t b) override {
        record({"DrawRoundedRectRgba", "", {x, y, width, height, radius, r, g, b}});
    }
    void draw_pixels(array_handle pixels, std::int64_t width, std::int64_t height, std::int64_t x,
                     std::int64_t y, std::int64_t draw_width, std::int64_t draw_height) override {
        drawn_pixels = pixels;
        record({"DrawPixelsBgra8",
                "",
                {static_cast<std::int64_t>(pixels.element_count()), width, height, x, y, draw_width,
                 draw_height}});
    }

    // The recorded drawing calls of one builtin.
    std::vector<drawn> drawn_by(const std::string& builtin) const {
        std::vector<drawn> found;
        for (const drawn& call : drawing) {
            if (call.builtin == builtin) {
                found.push_back(call);
            }
        }
        return found;
    }

    bool window_open = false;
    std::int64_t now_ms = 0;
    std::map<std::string, int> presses;
    std::map<std::string, int> press_queries;
    std::set<std::string> held_keys;
    bool left_down = false;
    std::int32_t cursor_x = -1;
    std::int32_t cursor_y = -1;

    std::vector<std::string> calls;
    std::vector<drawn> drawing;
    array_handle drawn_pixels;

  private:
    void record(drawn call) {
        calls.push_back(call.builtin);
        drawing.push_back(std::move(call));
    }
};

}  // namespace tamo
