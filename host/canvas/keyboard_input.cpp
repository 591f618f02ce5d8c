#include "host/canvas/keyboard_input.hpp"

#include "host/canvas/window_registry.hpp"

namespace tamo {
namespace {

std::int64_t modifier_bit(std::uint32_t vk) {
    switch (vk) {
        case VK_SHIFT:
            return 1;
        case VK_CONTROL:
            return 2;
        case VK_MENU:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

void on_key_message(canvas_window& window, std::uint32_t vk, LPARAM lparam, bool down) {
    window.event_code = vk;
    window.event_value = vk;
    if (const std::int64_t bit = modifier_bit(vk); bit != 0) {
        window.modifier_mask = down ? (window.modifier_mask | bit) : (window.modifier_mask & ~bit);
    }
    window.event_words = {1, 1, 0};
    window.event_modifiers = window.modifier_mask;
    // The previous-key-state bit, or a repeat count of 2 or more.
    const bool repeat = (static_cast<std::uint64_t>(lparam) & 0x4000FFFEu) != 0;
    window.event_repeat = repeat ? 1 : 0;
    if (!down || repeat) {
        bump_window_revision(window, down ? event_key_down : event_key_up);
        return;
    }
    if (vk <= 255 && window.press_counters[vk] < 255) {
        ++window.press_counters[vk];
    }
    bump_window_revision(window, event_key_down);
}

}  // namespace tamo
