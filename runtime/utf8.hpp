#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tamo {

// Number of UTF-16 units the text converts to, or nothing when the text is
// not strictly valid UTF-8 (overlong forms, surrogates and code points above
// U+10FFFF are invalid).
std::optional<std::size_t> utf16_length_of_utf8(std::string_view text);

}  // namespace tamo
