#pragma once

#include <cstdint>
#include <string>

namespace tamo {

// Outcome of the store's one-step, validate and commit operations.
struct operation_result {
    bool ok = false;
    std::int32_t revision = 0;  // the new revision after a commit, else the current one
    std::int32_t validations = 0;
    std::int32_t explicit_comparisons = 0;
    std::int32_t payload_comparisons = 0;
    std::string message;  // "ok" on success
};

operation_result make_operation_result(bool ok, std::int32_t revision, std::int32_t validations,
                                       std::int32_t explicit_comparisons,
                                       std::int32_t payload_comparisons, std::string message);

}  // namespace tamo
