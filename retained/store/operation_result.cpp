#include "retained/store/operation_result.hpp"

#include <utility>

namespace tamo {

operation_result make_operation_result(bool ok, std::int32_t revision, std::int32_t validations,
                                       std::int32_t explicit_comparisons,
                                       std::int32_t payload_comparisons, std::string message) {
    return {
        ok, revision, validations, explicit_comparisons, payload_comparisons, std::move(message)};
}

}  // namespace tamo
