#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace tamo {

// Hands out a fuzzer's bytes as small numbers and texts; past the end every
// read answers zero or empty, so any input decodes to some sequence.
class fuzz_input {
  public:
    fuzz_input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return position_ >= size_; }

    std::uint8_t byte() { return empty() ? 0 : data_[position_++]; }

    std::uint32_t number(std::uint32_t bound) {
        std::uint32_t value = byte();
        value = (value << 8) | byte();
        return bound == 0 ? 0 : value % bound;
    }

    // A text of up to max_length bytes.
    std::string text(std::size_t max_length) {
        const std::size_t length = number(static_cast<std::uint32_t>(max_length + 1));
        std::string result;
        for (std::size_t i = 0; i < length && !empty(); ++i) {
            result.push_back(static_cast<char>(byte()));
        }
        return result;
    }

  private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Ends the run with a crash the fuzzer reports when an invariant fails.
inline void fuzz_require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace tamo
