#include "app/fluid/array_handle.hpp"

namespace tamo {

array_handle::array_handle()
    : elements_(std::make_shared<std::vector<std::uint32_t>>()),
      state_(std::make_shared<array_handle_state>()) {}

array_handle& array_handle::operator=(const array_handle& other) {
    state_ = other.state_;
    elements_ = other.elements_;
    return *this;
}

void array_handle::resize(std::uint64_t count) {
    if (elements_->capacity() < count) {
        state_->cached.reset();
    }
    elements_->resize(count);
}

}  // namespace tamo
