#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tamo {

// True when position + offset lies inside the text and that byte is
// 0x80..0xBF.
bool is_utf8_continuation(std::string_view text, std::uint64_t position, std::uint64_t offset);

// Bytes of the one character at position i that is not printable ASCII: the
// whole sequence when it is well-formed UTF-8, else 1.
std::size_t unprintable_character_length(std::string_view text, std::size_t i);

// The glyph codes of one line of text, as the runs drawn by one call each:
// every run of printable ASCII whole, and "?" for each other character and
// each ill-formed byte.
std::vector<std::string> text_glyph_runs(std::string_view text);

struct text_style {
    int regular_slot;
    int bold_slot;
    std::int32_t baseline_offset;
};

// Font slots and baseline of a size code: up to 249 gives 15 px, exactly 330
// gives 28 px, any other 20 px.
text_style text_style_for_size_code(std::int32_t size_code);

}  // namespace tamo
