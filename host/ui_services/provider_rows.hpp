#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tamo {

// True when a look-up result names an entry of a list of that size; any
// other index, whatever a look-up returned, is treated as not found.
inline bool is_row(std::int32_t index, std::size_t size) {
    return index >= 0 && static_cast<std::size_t>(index) < size;
}

// The row a look-up result names, or size (the row a new entry takes) when it
// names none.
inline std::size_t row_or_end(std::int32_t index, std::size_t size) {
    return is_row(index, size) ? static_cast<std::size_t>(index) : size;
}

// Index of the first id equal to the one given, byte for byte; -1 for none.
inline std::int32_t find_row(const std::vector<std::string>& ids, const std::string& id) {
    for (std::size_t index = 0; index < ids.size(); ++index) {
        if (ids[index] == id) {
            return static_cast<std::int32_t>(index);
        }
    }
    return -1;
}

// Stores the value at the row, appending it when the row is one past the end.
template <typename Value>
void put_row(std::vector<Value>& list, std::size_t row, Value value) {
    if (row == list.size()) {
        list.push_back(value);
    } else {
        list[row] = value;
    }
}

// Cuts each list back to the given number of rows: takes out a row that an
// allocation failure left appended to only some of the parallel lists.
template <typename... Lists>
void cut_rows(std::size_t rows, Lists&... lists) {
    (lists.resize(std::min(rows, lists.size())), ...);
}

}  // namespace tamo
