#include "host/canvas/key_names.hpp"

#include <array>

namespace tamo {
namespace {

struct named_key {
    std::string_view name;
    std::int32_t vk;
};

constexpr std::array<named_key, 15> named_keys{{
    {"left", 0x25},
    {"right", 0x27},
    {"up", 0x26},
    {"down", 0x28},
    {"space", 0x20},
    {"enter", 0x0D},
    {"return", 0x0D},
    {"tab", 0x09},
    {"home", 0x24},
    {"end", 0x23},
    {"pageup", 0x21},
    {"pagedown", 0x22},
    {"escape", 0x1B},
    {"esc", 0x1B},
    {"shift", 0x10},
}};

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::string ascii_lower(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lowered;
}

std::int32_t key_name_to_vk(std::string_view name) {
    const std::string key = ascii_lower(name);
    if (key.size() == 1) {
        if (key[0] >= 'a' && key[0] <= 'z') {
            return key[0] - 'a' + 'A';
        }
        if (is_digit(key[0])) {
            return key[0];
        }
    }
    if (key.size() == 2 && key[0] == 'f' && key[1] >= '1' && key[1] <= '9') {
        return 0x70 + (key[1] - '1');
    }
    if (key.size() == 3 && key[0] == 'f' && key[1] == '1' && key[2] >= '0' && key[2] <= '2') {
        return 0x79 + (key[2] - '0');
    }
    for (const named_key& entry : named_keys) {
        if (key == entry.name) {
            return entry.vk;
        }
    }
    return 0;
}

}  // namespace tamo
