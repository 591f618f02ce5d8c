#pragma once

#include <cstdint>
#include <vector>

namespace tamo {

inline bool row_in(std::int32_t row, std::size_t size) {
    return row >= 0 && static_cast<std::size_t>(row) < size;
}

inline std::int32_t size_of(std::size_t size) {
    return static_cast<std::int32_t>(size);
}

// The entry at a row, -1 when the row lies outside the column.
inline std::int32_t row_or_none(const std::vector<std::int32_t>& column, std::int32_t row) {
    return row_in(row, column.size()) ? column[static_cast<std::size_t>(row)] : -1;
}

}  // namespace tamo
