#pragma once

#include "host/canvas/window_record.hpp"

namespace tamo {

// Fills both buffers of a resized window with the background colour and
// leaves its context current with a top-left pixel projection.
void prepare_gl_frame_and_clear(canvas_window& window);

}  // namespace tamo
