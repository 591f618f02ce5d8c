#pragma once

#include <cstddef>

namespace tamo::test {

// While one lives, every allocation through the global operator new larger
// than the size given throws std::bad_alloc. The library that holds it
// replaces the global operator new, so only a test executable of its own
// links it.
class large_allocations_fail {
  public:
    explicit large_allocations_fail(std::size_t largest_allowed);
    ~large_allocations_fail();
    large_allocations_fail(const large_allocations_fail&) = delete;
    large_allocations_fail& operator=(const large_allocations_fail&) = delete;
};

}  // namespace tamo::test
