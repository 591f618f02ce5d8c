#pragma once

#include <cstdint>
#include <string_view>

namespace tamo {

// Takes one queued press of the key from the active window while it is
// open, focused and in the foreground.
bool key_pressed(std::string_view name);

// The key or mouse button is held now and one of the host's windows is in
// the foreground.
bool key_is_down(std::string_view name);
bool mouse_button_down(std::string_view name);

// The cursor in the active window's client coordinates (not limited to the
// client area), or -1 when no window of the host is in the foreground.
std::int32_t MouseX();
std::int32_t MouseY();

}  // namespace tamo
