#include <memory>
#include <utility>

#include "retained/store/retained_resource_store.hpp"
#include "runtime/text_format.hpp"

namespace tamo {
namespace {

constexpr std::uint8_t binding_kind = 1;
constexpr std::uint8_t update_kind = 0;

}  // namespace

std::shared_ptr<prepared_admission> retained_resource_store::prepare_bind_owner(
    retained_fragment fragment, resource_set delta, std::int32_t expected_revision) const {
    const pending_admission pending = preflight(fragment, delta, expected_revision, binding_kind);
    return std::make_shared<prepared_admission>(identity, pending, fragment, delta,
                                                expected_revision, binding_kind);
}

std::shared_ptr<prepared_admission> retained_resource_store::prepare_update_owner(
    retained_fragment fragment, resource_set delta, std::int32_t expected_revision) const {
    const pending_admission pending = preflight(fragment, delta, expected_revision, update_kind);
    return std::make_shared<prepared_admission>(identity, pending, fragment, delta,
                                                expected_revision, update_kind);
}

operation_result retained_resource_store::commit_prepared_admission(
    const std::shared_ptr<prepared_admission>& prepared, retained_fragment fragment,
    resource_set delta, std::uint8_t kind) {
    const auto refuse = [this](std::string message) {
        return make_operation_result(false, current_revision, 0, 0, 0, std::move(message));
    };
    // An empty handle belongs to no store.
    if (!prepared || !prepared->belongs_to(identity)) {
        return refuse("retained resource prepared admission belongs to another store");
    }
    if (prepared->consumed()) {
        return refuse("retained resource prepared admission was already consumed");
    }
    if (prepared->kind() != kind) {
        return refuse("retained resource prepared admission kind does not match commit");
    }
    if (!prepared->accepted()) {
        return refuse(prepared->message());
    }
    if (prepared->revision() != current_revision) {
        return refuse(format_message(
            "retained resource prepared admission is stale: expected {0}, current {1}",
            {std::to_string(prepared->revision()), std::to_string(current_revision)}));
    }
    if (!prepared->inputs_unchanged(fragment, delta)) {
        return refuse("retained resource prepared admission inputs were changed");
    }
    const operation_result result =
        commit_pending_admission(prepared->validated_record(fragment, delta), kind);
    if (result.ok) {
        prepared->mark_consumed();
    }
    return result;
}

operation_result retained_resource_store::commit_prepared_binding(
    const std::shared_ptr<prepared_admission>& prepared, retained_fragment fragment,
    resource_set delta) {
    return commit_prepared_admission(prepared, std::move(fragment), std::move(delta), binding_kind);
}

operation_result retained_resource_store::commit_prepared_update(
    const std::shared_ptr<prepared_admission>& prepared, retained_fragment fragment,
    resource_set delta) {
    return commit_prepared_admission(prepared, std::move(fragment), std::move(delta), update_kind);
}

}  // namespace tamo
