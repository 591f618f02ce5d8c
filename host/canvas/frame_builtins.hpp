#pragma once

#include <atomic>
#include <cstdint>
#include <string_view>

#include "host/canvas/window_record.hpp"

namespace tamo {

// EndFrame ORs bit value 2 into the flag word and counts ended frames,
// holding the count at its largest value.
inline std::atomic<std::uint64_t> canvas_frame_flags{0};
inline std::atomic<std::int64_t> canvas_frame_count{0};

// Drains messages and answers the active window with its context current;
// raises "window/canvas runtime window is not open for " and the builtin's
// name when there is no open window with its native handles.
canvas_window& require_open_window(std::string_view builtin_name);

// Top-left pixel projection over the client area, state reset and a clear
// to the background colour (17, 27, 34).
void BeginFrame();
// State reset, flush and present.
void EndFrame();

// An opaque rectangle; a negative width draws nothing, a negative height
// extends upwards from y.
void DrawRectRgba(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                  std::int64_t r, std::int64_t g, std::int64_t b);
// An opaque rectangle whose corner radius is kept within half the width and
// half the height; up to 0.5 it is a plain rectangle.
void DrawRoundedRectRgba(std::int64_t x, std::int64_t y, std::int64_t width, std::int64_t height,
                         std::int64_t radius, std::int64_t r, std::int64_t g, std::int64_t b);

// The current OpenGL colour, opaque, decoded to linear light when the active
// window converts to sRGB.
void set_draw_color(std::int64_t r, std::int64_t g, std::int64_t b);
// A channel as 0..1: decoded through the sRGB table when the active window
// converts to sRGB; otherwise values above 1 are divided by 255.
float channel_to_float(std::int64_t channel);

}  // namespace tamo
