#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace tamo {

// Bookkeeping shared by every copy of an array_handle.
struct array_handle_state {
    std::uint64_t reserved_a = 0;
    std::uint64_t reserved_b = 0;
    // Must not outlive the storage it was made for: released before the
    // storage grows and when the state is destroyed.
    std::shared_ptr<void> cached;
    std::uint64_t reserved_c = 0;
};

// A handle on an array of 32-bit elements; copies share the storage and the
// state, so a write through one copy is seen by all. A handle always owns an
// element sequence: there is no move that could leave one without.
class array_handle {
  public:
    array_handle();
    array_handle(const array_handle& other) = default;
    // Takes the other's state reference first, then its elements.
    array_handle& operator=(const array_handle& other);
    ~array_handle() = default;

    std::uint64_t element_count() const { return elements_->size(); }
    // New elements are 0; growing past the capacity first releases the
    // state's cached reference.
    void resize(std::uint64_t count);

    // Throws std::out_of_range for an index at or past element_count().
    std::uint32_t& operator[](std::uint64_t index) const { return elements_->at(index); }
    std::uint32_t* data() const { return elements_->data(); }
    array_handle_state& state() const { return *state_; }

  private:
    // Declared in this order so destruction releases the state first.
    std::shared_ptr<std::vector<std::uint32_t>> elements_;
    std::shared_ptr<array_handle_state> state_;
};

}  // namespace tamo
