#include "runtime/failing_allocation.hpp"

#include <cstdlib>
#include <limits>
#include <new>

namespace {
std::size_t largest_allowed_allocation = std::numeric_limits<std::size_t>::max();
}  // namespace

void* operator new(std::size_t size) {
    if (size > largest_allowed_allocation) {
        throw std::bad_alloc();
    }
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace tamo::test {

large_allocations_fail::large_allocations_fail(std::size_t largest_allowed) {
    largest_allowed_allocation = largest_allowed;
}

large_allocations_fail::~large_allocations_fail() {
    largest_allowed_allocation = std::numeric_limits<std::size_t>::max();
}

}  // namespace tamo::test
