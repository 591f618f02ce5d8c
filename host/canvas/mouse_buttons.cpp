#include "host/canvas/mouse_buttons.hpp"

#include <array>

#include "host/canvas/key_names.hpp"

namespace tamo {
namespace {

struct named_button {
    std::string_view name;
    std::int32_t code;
};

constexpr std::array<named_button, 8> named_buttons{{
    {"left", 1},
    {"primary", 1},
    {"l", 1},
    {"right", 2},
    {"secondary", 2},
    {"r", 2},
    {"middle", 4},
    {"m", 4},
}};

}  // namespace

std::int32_t mouse_button_code(std::string_view name) {
    const std::string button = ascii_lower(name);
    for (const named_button& entry : named_buttons) {
        if (button == entry.name) {
            return entry.code;
        }
    }
    return 0;
}

}  // namespace tamo
