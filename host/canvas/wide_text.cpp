#include "host/canvas/wide_text.hpp"

#include <climits>

#include "host/canvas/platform_calls.hpp"

namespace tamo {

std::wstring utf8_to_wide(std::string_view text) {
    if (text.empty() || text.size() >= INT_MAX) {
        return {};
    }
    auto& calls = platform();
    const int size = static_cast<int>(text.size());
    const int length =
        calls.MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (calls.MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(),
                                  length) != length) {
        return {};
    }
    return wide;
}

std::string wide_to_utf8(const wchar_t* text) {
    auto& calls = platform();
    const int length =
        calls.WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) {
        return {};
    }
    std::string utf8(static_cast<std::size_t>(length), '\0');
    if (calls.WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), length, nullptr, nullptr) !=
        length) {
        return {};
    }
    utf8.pop_back();  // the terminator
    return utf8;
}

}  // namespace tamo
