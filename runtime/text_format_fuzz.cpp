// Fuzzes the formatter and the text helpers against properties that hold for
// every input: text without "{" passes unchanged, prefixes and keys parse
// back to their parts, and the predicates agree with plain definitions.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/fuzz_input.hpp"
#include "runtime/text_format.hpp"

namespace {

// Splits the input at 0xFF bytes: pattern first, then the arguments.
std::vector<std::string> split_fields(std::string_view input) {
    std::vector<std::string> fields(1);
    for (char c : input) {
        if (static_cast<unsigned char>(c) == 0xFF) {
            fields.emplace_back();
        } else {
            fields.back().push_back(c);
        }
    }
    return fields;
}

// Reads "<decimal>:" at position; returns the number and moves past ':'.
std::size_t read_length(const std::string& text, std::size_t& position) {
    const std::size_t colon = text.find(':', position);
    tamo::fuzz_require(colon != std::string::npos);
    const std::size_t value = std::stoull(text.substr(position, colon - position));
    position = colon + 1;
    return value;
}

void check_composite_key(const std::string& kind, const std::string& id, std::int32_t number) {
    const std::string key = tamo::composite_key(kind, id, number);
    std::size_t position = 0;
    const std::size_t kind_length = read_length(key, position);
    tamo::fuzz_require(key.compare(position, kind_length, kind) == 0 && kind_length == kind.size());
    position += kind_length + 1;
    const std::size_t id_length = read_length(key, position);
    tamo::fuzz_require(key.compare(position, id_length, id) == 0 && id_length == id.size());
    position += id_length;
    tamo::fuzz_require(key.substr(position) == ":" + std::to_string(number));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> fields = split_fields(input);
    const std::string pattern = fields.front();
    const std::vector<std::string> arguments(fields.begin() + 1, fields.end());

    try {
        const std::string result = tamo::format_message(pattern, arguments);
        if (pattern.find('{') == std::string::npos) {
            tamo::fuzz_require(result == pattern);
        }
        if (arguments.empty()) {
            tamo::fuzz_require(result == pattern);
        }
    } catch (const std::out_of_range& error) {
        tamo::fuzz_require(std::string_view(error.what()) == "stoull");
        tamo::fuzz_require(pattern.find('{') != std::string::npos);
    }

    const std::string prefixed = tamo::length_prefixed(pattern);
    const std::string head = std::to_string(pattern.size()) + ":";
    tamo::fuzz_require(prefixed == head + pattern);

    const std::int32_t number =
        size >= 4 ? static_cast<std::int32_t>(data[0] | (data[1] << 8) | (data[2] << 16) |
                                              (std::uint32_t(data[3]) << 24))
                  : -1;
    check_composite_key(pattern, arguments.empty() ? "" : arguments.front(), number);

    bool all_hex = true;
    for (char c : pattern) {
        all_hex =
            all_hex && std::string_view("0123456789abcdefABCDEF").find(c) != std::string_view::npos;
    }
    tamo::fuzz_require(tamo::is_hex_text(pattern) == all_hex);

    for (const std::string& argument : arguments) {
        const bool expected =
            pattern.size() >= argument.size() && pattern.compare(0, argument.size(), argument) == 0;
        tamo::fuzz_require(tamo::starts_with(pattern, argument) == expected);
    }
    return 0;
}
