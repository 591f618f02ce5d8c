#pragma once

#include <string>
#include <string_view>

namespace tamo {

// UTF-16 form of a UTF-8 text; empty when the text is empty or not valid
// UTF-8.
std::wstring utf8_to_wide(std::string_view text);

// UTF-8 form of a NUL-terminated UTF-16 text; empty when it converts to
// nothing.
std::string wide_to_utf8(const wchar_t* text);

}  // namespace tamo
