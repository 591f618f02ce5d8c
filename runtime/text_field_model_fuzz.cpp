// Fuzzes the text-field model with random edits against a plain model of
// the same rules.
#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/fuzz_input.hpp"
#include "runtime/text_field_model.hpp"

namespace {

struct expected_field {
    std::string text;
    std::string saved;
    bool active = false;
    bool replace_next = false;
};

std::size_t cut_position(const std::string& text) {
    std::size_t position = text.size() - 1;
    while (position > 0 && (static_cast<unsigned char>(text[position]) & 0xC0) == 0x80) {
        --position;
    }
    return position;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tamo::fuzz_input input(data, size);
    tamo::text_field_model field;
    expected_field expected;
    while (!input.empty()) {
        switch (input.number(4)) {
            case 0: {
                // Sometimes a value longer than the insert limit.
                std::string value = input.text(8);
                if (input.number(8) == 0) {
                    value.append(4096, 'v');
                }
                field.begin(value);
                expected = {value, value, true, true};
                break;
            }
            case 1: {
                std::string text = input.text(16);
                if (input.number(16) == 0) {
                    text.append(input.number(4100), 'i');
                }
                field.insert(text);
                if (expected.active && !text.empty()) {
                    if (expected.replace_next) {
                        expected.text.clear();
                        expected.replace_next = false;
                    }
                    if (expected.text.size() + text.size() <= 4096) {
                        expected.text += text;
                    }
                }
                break;
            }
            case 2:
                field.backspace();
                if (expected.replace_next) {
                    expected.text.clear();
                    expected.replace_next = false;
                } else if (!expected.text.empty()) {
                    expected.text.resize(cut_position(expected.text));
                }
                break;
            default:
                field.cancel();
                expected.text = expected.saved;
                expected.active = false;
                break;
        }
        tamo::fuzz_require(field.text() == expected.text && field.saved() == expected.saved &&
                           field.active() == expected.active &&
                           field.replace_next() == expected.replace_next);
    }
    return 0;
}
