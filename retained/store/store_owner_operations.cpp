#include <utility>

#include "retained/store/retained_resource_store.hpp"

namespace tamo {
namespace {

constexpr binding_mode binding = 1;
constexpr binding_mode update = 0;

// A check's verdict without committing: the counters on acceptance, none on
// refusal; the revision is the current one either way.
operation_result verdict(const pending_admission& pending, std::int32_t revision) {
    if (!pending.ok) {
        return make_operation_result(false, revision, 0, 0, 0, pending.message);
    }
    return make_operation_result(true, revision, pending.validations, pending.explicit_comparisons,
                                 pending.payload_comparisons, "ok");
}

}  // namespace

operation_result retained_resource_store::bind_owner(retained_fragment fragment, resource_set delta,
                                                     std::int32_t expected_revision) {
    pending_admission pending =
        preflight(std::move(fragment), std::move(delta), expected_revision, binding);
    // Only an accepted admission is committed.
    return pending.ok ? commit_pending_admission(std::move(pending), binding)
                      : verdict(pending, current_revision);
}

operation_result retained_resource_store::validate_bind_owner(
    retained_fragment fragment, resource_set delta, std::int32_t expected_revision) const {
    return verdict(preflight(std::move(fragment), std::move(delta), expected_revision, binding),
                   current_revision);
}

operation_result retained_resource_store::update_owner(retained_fragment fragment,
                                                       resource_set delta,
                                                       std::int32_t expected_revision) {
    pending_admission pending =
        preflight(std::move(fragment), std::move(delta), expected_revision, update);
    return pending.ok ? commit_pending_admission(std::move(pending), update)
                      : verdict(pending, current_revision);
}

operation_result retained_resource_store::validate_update_owner(
    retained_fragment fragment, resource_set delta, std::int32_t expected_revision) const {
    return verdict(preflight(std::move(fragment), std::move(delta), expected_revision, update),
                   current_revision);
}

}  // namespace tamo
