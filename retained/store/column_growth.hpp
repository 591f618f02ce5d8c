#pragma once

#include <cstddef>
#include <vector>

namespace tamo {

// Makes room for `additional` more elements, growing geometrically so that
// many small reservations stay linear overall.
template <typename T>
void reserve_more(std::vector<T>& column, std::size_t additional) {
    const std::size_t needed = column.size() + additional;
    if (needed > column.capacity()) {
        const std::size_t doubled = column.capacity() * 2;
        column.reserve(needed > doubled ? needed : doubled);
    }
}

}  // namespace tamo
