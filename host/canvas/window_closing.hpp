#pragma once

#include "host/canvas/platform_calls.hpp"
#include "host/canvas/window_record.hpp"

namespace tamo {

// Deletes a GDI object when present and clears the handle.
template <typename gdi_handle>
void delete_gdi_object(gdi_handle& object) {
    if (object) {
        platform().DeleteObject(object);
    }
    object = nullptr;
}

// Releases the record's native resources in order: pointer lock, key state,
// layered bitmap, textures, font lists and fonts, OpenGL context, device
// context, native window. The record stays in the registry.
void close_canvas_window(canvas_window& window);

// Closes every window in ascending id order, each one's children first.
void close_all_windows();

}  // namespace tamo
