#include "runtime/text_format.hpp"

#include <limits>
#include <stdexcept>

namespace tamo {
namespace {

bool all_decimal_digits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// Base-10 conversion of an all-digit text; the same error text on every
// standard library.
std::uint64_t parse_index(std::string_view digits) {
    constexpr std::uint64_t max = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t value = 0;
    for (char c : digits) {
        const std::uint64_t digit = static_cast<std::uint64_t>(c - '0');
        if (value > (max - digit) / 10) {
            throw std::out_of_range("stoull");
        }
        value = value * 10 + digit;
    }
    return value;
}

}  // namespace

std::string format_message(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string result;
    result.reserve(pattern.size());
    std::size_t p = 0;
    while (p < pattern.size()) {
        if (pattern[p] != '{') {
            result.push_back(pattern[p]);
            ++p;
            continue;
        }
        const std::size_t close = pattern.find('}', p + 1);
        if (close == std::string_view::npos) {
            result.push_back('{');
            ++p;
            continue;
        }
        const std::string_view inner = pattern.substr(p + 1, close - p - 1);
        if (!all_decimal_digits(inner)) {
            result.push_back('{');
            ++p;
            continue;
        }
        const std::uint64_t index = parse_index(inner);
        if (index < arguments.size()) {
            result += arguments[static_cast<std::size_t>(index)];
        } else {
            result += pattern.substr(p, close - p + 1);
        }
        p = close + 1;
    }
    return result;
}

std::string bool_text(bool value) {
    return value ? "true" : "false";
}

std::string length_prefixed(std::string_view text) {
    return format_message("{0}:{1}", {std::to_string(text.size()), std::string(text)});
}

std::string composite_key(std::string_view kind, std::string_view id, std::int32_t number) {
    return format_message("{0}:{1}:{2}:{3}:{4}",
                          {std::to_string(kind.size()), std::string(kind),
                           std::to_string(id.size()), std::string(id), std::to_string(number)});
}

bool starts_with(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.substr(0, prefix.size()) == prefix;
}

bool is_hex_text(std::string_view text) {
    for (char c : text) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!hex) {
            return false;
        }
    }
    return true;
}

}  // namespace tamo
