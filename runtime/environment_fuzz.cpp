// Fuzzes the environment look-up with arbitrary names and values: it never
// fails loudly, and it answers either the stored value exactly or nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/environment.hpp"
#include "runtime/fuzz_input.hpp"
#include "runtime/utf8.hpp"

namespace {

bool settable_name(std::string_view name) {
    return !name.empty() && name.find('=') == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    const std::string name(input.substr(0, split));
    const std::string value(split == std::string_view::npos ? "" : input.substr(split + 1));

    // Any byte sequence as a name, looked up before anything is stored.
    const std::string unset_answer = tamo::get_environment_utf8(input);
    tamo::fuzz_require(unset_answer.empty() ||
                       tamo::utf16_length_of_utf8(unset_answer).has_value());

    if (!settable_name(name) || value.find('\0') != std::string::npos) {
        return 0;
    }
    const std::string variable = "VIVIDSWIRL_FUZZ_" + name;
    if (setenv(variable.c_str(), value.c_str(), 1) != 0) {
        return 0;
    }
    const std::string answer = tamo::get_environment_utf8(variable);
    const auto name_units = tamo::utf16_length_of_utf8(variable);
    const auto value_units = tamo::utf16_length_of_utf8(value);
    const bool readable = name_units && value_units && *value_units > 0 && *value_units < 32768;
    tamo::fuzz_require(readable ? answer == value : answer.empty());
    unsetenv(variable.c_str());
    return 0;
}
