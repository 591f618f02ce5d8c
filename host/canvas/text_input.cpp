#include "host/canvas/text_input.hpp"

namespace tamo {
namespace {

bool is_high_surrogate(std::uint32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool is_low_surrogate(std::uint32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}
bool is_control(std::uint32_t code_point) {
    return code_point < 32 || code_point == 127;
}

// Encodes the code point and appends it whole when the text stays within
// the limit.
bool append_utf8_within_limit(std::string& text, std::uint32_t code_point) {
    char bytes[4];
    std::size_t length = 0;
    if (code_point < 0x80) {
        bytes[length++] = static_cast<char>(code_point);
    } else if (code_point < 0x800) {
        bytes[length++] = static_cast<char>(0xC0 | (code_point >> 6));
        bytes[length++] = static_cast<char>(0x80 | (code_point & 0x3F));
    } else if (code_point < 0x10000) {
        bytes[length++] = static_cast<char>(0xE0 | (code_point >> 12));
        bytes[length++] = static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | (code_point & 0x3F));
    } else if (code_point <= 0x10FFFF) {
        bytes[length++] = static_cast<char>(0xF0 | (code_point >> 18));
        bytes[length++] = static_cast<char>(0x80 | ((code_point >> 12) & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | ((code_point >> 6) & 0x3F));
        bytes[length++] = static_cast<char>(0x80 | (code_point & 0x3F));
    } else {
        return false;
    }
    if (text.size() + length > text_input_limit) {
        return false;
    }
    text.append(bytes, length);
    return true;
}

}  // namespace

std::optional<std::uint32_t> decode_utf16_unit(std::uint16_t& held_high, std::uint32_t unit) {
    if (is_high_surrogate(unit)) {
        held_high = static_cast<std::uint16_t>(unit);
        return std::nullopt;
    }
    const std::uint32_t high = held_high;
    held_high = 0;
    if (!is_low_surrogate(unit)) {
        return unit;
    }
    if (!is_high_surrogate(high)) {
        return std::nullopt;
    }
    return 0x10000 + (high - 0xD800) * 1024 + (unit - 0xDC00);
}

void on_char_utf16(canvas_window& window, std::uint32_t unit) {
    if (const auto code_point = decode_utf16_unit(window.pending_high_surrogate, unit)) {
        append_text_input(window, *code_point);
    }
}

void append_text_input(canvas_window& window, std::uint32_t code_point) {
    if (is_control(code_point) || code_point > 0x10FFFF ||
        (code_point >= 0xD800 && code_point <= 0xDFFF)) {
        return;
    }
    if (append_utf8_within_limit(window.text_input, code_point)) {
        ++window.text_input_count;
    }
}

void append_code_point_utf8(std::string& text, std::uint32_t code_point) {
    if (!is_control(code_point)) {
        append_utf8_within_limit(text, code_point);
    }
}

}  // namespace tamo
