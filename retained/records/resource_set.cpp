#include "retained/records/resource_set.hpp"

#include <algorithm>
#include <limits>

namespace tamo {

std::int32_t resource_set::entry_count() const {
    const std::size_t total =
        paints.size() + images.size() + glyphs.size() + clips.size() + transforms.size();
    constexpr std::size_t limit = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::min(total, limit));
}

}  // namespace tamo
