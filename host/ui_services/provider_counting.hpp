#pragma once

#include <cstdint>
#include <limits>

namespace tamo {

// value + amount (amount >= 0), held at 2147483647 instead of overflowing.
inline std::int32_t saturating_add(std::int32_t value, std::int32_t amount) {
    const std::int64_t sum = std::int64_t{value} + std::int64_t{amount};
    const std::int64_t limit = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(sum < limit ? sum : limit);
}

}  // namespace tamo
