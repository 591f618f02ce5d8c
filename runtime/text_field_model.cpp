#include "runtime/text_field_model.hpp"

#include <string>
#include <utility>

#include "runtime/text_format.hpp"

namespace tamo {
namespace {

bool is_continuation_byte(char c) {
    const unsigned char byte = static_cast<unsigned char>(c);
    return byte >= 0x80 && byte <= 0xBF;
}

}  // namespace

text_field_model::~text_field_model() = default;

void text_field_model::begin(const std::string& value) {
    // Both copies are made before the flags change, so a failed copy leaves
    // the field as it was.
    std::string started = value;
    text_ = value;
    saved_ = std::move(started);
    active_ = true;
    replace_next_ = true;
}

void text_field_model::insert(std::string input) {
    if (!active_ || input.empty()) {
        return;
    }
    clear_selection();
    if (input.size() + text_.size() > max_text_bytes) {
        return;
    }
    text_ = format_message("{0}{1}", {text_, input});
}

void text_field_model::backspace() {
    if (clear_selection() || text_.empty()) {
        return;
    }
    std::size_t cut = text_.size() - 1;
    while (cut > 0 && is_continuation_byte(text_[cut])) {
        --cut;
    }
    text_.resize(cut);
}

void text_field_model::cancel() {
    text_ = saved_;
    active_ = false;
}

bool text_field_model::clear_selection() {
    if (!replace_next_) {
        return false;
    }
    text_.clear();
    replace_next_ = false;
    return true;
}

}  // namespace tamo
