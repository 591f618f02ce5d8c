#pragma once

#include <cstddef>
#include <string>

namespace tamo {

// One single-line text field being edited. Editing starts with the value
// selected as a whole, so the first input replaces it; cancel restores the
// value editing started with.
class text_field_model {
  public:
    static constexpr std::size_t max_text_bytes = 4096;

    text_field_model() = default;
    virtual ~text_field_model();

    virtual void begin(const std::string& value);
    // Appends the input while editing; input that would take the text past
    // max_text_bytes is dropped whole, never cut. Taken by value, so the
    // field's own text can be typed over its selection.
    virtual void insert(std::string input);
    // Clears a selected text, otherwise removes the last UTF-8 character.
    virtual void backspace();
    // Restores the value given to begin and ends editing; the selection flag
    // is kept as it is.
    virtual void cancel();

    const std::string& text() const { return text_; }
    const std::string& saved() const { return saved_; }
    bool active() const { return active_; }
    bool replace_next() const { return replace_next_; }

  private:
    // Clears the text when it is selected; true when it was.
    bool clear_selection();

    std::string text_;
    std::string saved_;
    bool active_ = false;
    bool replace_next_ = false;
};

}  // namespace tamo
