#include "runtime/environment.hpp"

#include <cstddef>

#ifdef _WIN32
#include <windows.h>

#include <vector>
#else
#include <cstdlib>

#include "runtime/utf8.hpp"
#endif

namespace tamo {
namespace {

constexpr std::size_t max_name_bytes = 131068;
constexpr std::size_t max_value_bytes = 131068;
constexpr std::size_t max_units = 32768;  // including the terminator

}  // namespace

#ifdef _WIN32

std::string get_environment_utf8(std::string_view name) {
    if (name.empty() || name.size() > max_name_bytes || name.find('\0') != std::string_view::npos) {
        return {};
    }
    const std::string terminated(name);
    const int name_bytes = static_cast<int>(terminated.size() + 1);
    const int name_units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, terminated.c_str(),
                                               name_bytes, nullptr, 0);
    if (name_units < 1 || static_cast<std::size_t>(name_units) > max_units) {
        return {};
    }
    std::vector<wchar_t> wide_name(static_cast<std::size_t>(name_units));
    if (MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, terminated.c_str(), name_bytes,
                            wide_name.data(), name_units) != name_units) {
        return {};
    }
    const DWORD size = GetEnvironmentVariableW(wide_name.data(), nullptr, 0);
    if (size < 1 || size > max_units) {
        return {};
    }
    std::vector<wchar_t> value(size);
    const DWORD length = GetEnvironmentVariableW(wide_name.data(), value.data(), size);
    if (length == 0 || length >= size || length != size - 1) {
        return {};
    }
    const int value_units = static_cast<int>(length);
    const int bytes = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, value.data(), value_units,
                                          nullptr, 0, nullptr, nullptr);
    if (bytes < 1 || static_cast<std::size_t>(bytes) > max_value_bytes) {
        return {};
    }
    std::string result(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, value.data(), value_units, result.data(),
                            bytes, nullptr, nullptr) != bytes) {
        return {};
    }
    return result;
}

#else

// The process environment holds bytes; the same limits as on Windows apply,
// and both name and value must be valid UTF-8.
std::string get_environment_utf8(std::string_view name) {
    if (name.empty() || name.size() > max_name_bytes || name.find('\0') != std::string_view::npos) {
        return {};
    }
    const auto name_units = utf16_length_of_utf8(name);
    if (!name_units || *name_units + 1 > max_units) {
        return {};
    }
    const std::string terminated(name);
    const char* value = std::getenv(terminated.c_str());
    if (value == nullptr) {
        return {};
    }
    const std::string_view text(value);
    const auto value_units = utf16_length_of_utf8(text);
    if (!value_units || *value_units == 0 || *value_units + 1 > max_units ||
        text.size() > max_value_bytes) {
        return {};
    }
    return std::string(text);
}

#endif

}  // namespace tamo
