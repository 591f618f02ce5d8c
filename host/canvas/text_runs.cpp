#include "host/canvas/text_runs.hpp"

namespace tamo {
namespace {

bool is_printable_ascii(unsigned char byte) {
    return byte >= 0x20 && byte <= 0x7E;
}

}  // namespace

bool is_utf8_continuation(std::string_view text, std::uint64_t position, std::uint64_t offset) {
    if (position >= text.size() || offset >= text.size() - position) {
        return false;
    }
    const auto byte = static_cast<unsigned char>(text[position + offset]);
    return byte >= 0x80 && byte <= 0xBF;
}

std::size_t unprintable_character_length(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const auto second = [&] {
        return i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
    };
    const auto continued = [&](std::size_t count) {
        for (std::size_t offset = 1; offset <= count; ++offset) {
            if (!is_utf8_continuation(text, i, offset)) {
                return false;
            }
        }
        return true;
    };
    if (lead >= 0xC2 && lead <= 0xDF) {
        return continued(1) ? 2 : 1;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        // Overlong forms and encoded surrogates are ill-formed.
        const bool excluded =
            (lead == 0xE0 && second() <= 0x9F) || (lead == 0xED && second() >= 0xA0);
        return continued(2) && !excluded ? 3 : 1;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        // Overlong forms and code points past U+10FFFF are ill-formed.
        const bool excluded =
            (lead == 0xF0 && second() <= 0x8F) || (lead == 0xF4 && second() >= 0x90);
        return continued(3) && !excluded ? 4 : 1;
    }
    return 1;
}

std::vector<std::string> text_glyph_runs(std::string_view text) {
    std::vector<std::string> runs;
    std::size_t i = 0;
    while (i < text.size()) {
        if (is_printable_ascii(static_cast<unsigned char>(text[i]))) {
            std::size_t end = i + 1;
            while (end < text.size() && is_printable_ascii(static_cast<unsigned char>(text[end]))) {
                ++end;
            }
            runs.emplace_back(text.substr(i, end - i));
            i = end;
        } else {
            runs.emplace_back("?");
            i += unprintable_character_length(text, i);
        }
    }
    return runs;
}

text_style text_style_for_size_code(std::int32_t size_code) {
    if (size_code <= 249) {
        return {4, 5, 12};
    }
    if (size_code == 330) {
        return {8, 9, 23};
    }
    return {6, 7, 16};
}

}  // namespace tamo
