#pragma once

#include "host/canvas/window_record.hpp"

namespace tamo {

// WM_DROPFILES: records the number of files and the path of a single one,
// then finishes the drop.
void on_file_drop(canvas_window& window, HDROP drop);

}  // namespace tamo
