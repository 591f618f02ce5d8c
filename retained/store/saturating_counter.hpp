#pragma once

#include <cstdint>
#include <limits>

namespace tamo {

// The store's int32 counters (probes, validations, comparisons, admissions,
// revision) stop at 2147483647 instead of wrapping.
inline void saturating_add(std::int32_t& counter, std::int32_t amount) {
    constexpr std::int64_t ceiling = std::numeric_limits<std::int32_t>::max();
    const std::int64_t sum = static_cast<std::int64_t>(counter) + amount;
    counter = static_cast<std::int32_t>(sum > ceiling ? ceiling : (sum < 0 ? 0 : sum));
}

}  // namespace tamo
