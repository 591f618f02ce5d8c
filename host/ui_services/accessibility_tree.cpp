#include <string>
#include <utility>

#include "host/ui_services/native_ui_host_provider.hpp"
#include "host/ui_services/provider_counting.hpp"
#include "host/ui_services/provider_rows.hpp"
#include "host/ui_services/restore_on_throw.hpp"
#include "runtime/text_format.hpp"

namespace tamo {

namespace {

// Clears a flag when the scope ends, also when it ends by an exception.
class flag_reset {
  public:
    explicit flag_reset(bool& flag) : flag_(flag) {}
    ~flag_reset() { flag_ = false; }
    flag_reset(const flag_reset&) = delete;
    flag_reset& operator=(const flag_reset&) = delete;

  private:
    bool& flag_;
};

}  // namespace

std::int32_t native_ui_host_provider::find_accessibility_node(const std::string& node_id) const {
    return find_row(node_ids, node_id);
}

bool native_ui_host_provider::accessibility_batch_begin(std::int32_t thread, std::int32_t time,
                                                        std::int32_t correlation) {
    if (!require_capability(thread, "accessibility")) {
        return false;
    }
    if (batch_open != 0) {
        reject("accessibility-batch", "nested-batch");
        return false;
    }
    const restore_on_throw<std::int32_t> unopened(batch_open);
    batch_open = 1;
    record_host_event("accessibility", "tree", "batch-begin", "updates-hidden-until-commit", time,
                      correlation, 0);
    return true;
}

bool native_ui_host_provider::accessibility_update(const std::string& node_id,
                                                   std::int32_t generation, const std::string& role,
                                                   const std::string& name, std::int32_t thread) {
    if (!require_capability(thread, "accessibility")) {
        return false;
    }
    if (batch_open == 0 || node_id.empty() || role.empty() || name.empty() || generation <= 0) {
        reject("accessibility-update", "invalid-batch-node-role-or-name");
        return false;
    }
    const std::size_t rows = node_ids.size();
    const std::size_t row = row_or_end(find_accessibility_node(node_id), rows);
    const bool known = row < rows;
    if (known && node_generations[row] > generation) {
        reject("accessibility-update", "stale-generation");
        return false;
    }
    // Copied before the id list grows: the role or the name may be one of its ids.
    std::string stored_role = role;
    std::string stored_name = name;
    try {
        if (!known) {
            node_ids.push_back(node_id);
        }
        put_row(node_generations, row, generation);
        put_row(node_roles, row, std::move(stored_role));
        put_row(node_names, row, std::move(stored_name));
    } catch (...) {
        cut_rows(rows, node_ids, node_generations, node_roles, node_names);
        throw;
    }
    if (!known) {
        allocations = saturating_add(allocations, 4);
    }
    return true;
}

bool native_ui_host_provider::accessibility_batch_commit(std::int32_t thread, std::int32_t time,
                                                         std::int32_t correlation) {
    if (!require_capability(thread, "accessibility")) {
        return false;
    }
    if (batch_open == 0) {
        reject("accessibility-batch", "no-active-batch");
        return false;
    }
    const restore_on_throw<std::int32_t> uncommitted(batch_open);
    batch_open = 0;
    record_host_event("accessibility", "tree", "batch-commit",
                      format_message("nodes={0}", {std::to_string(node_ids.size())}), time,
                      correlation, 1);
    return true;
}

bool native_ui_host_provider::accessibility_action(const std::string& node_id,
                                                   std::int32_t generation,
                                                   const std::string& action, bool reentrant,
                                                   std::int32_t thread, std::int32_t time,
                                                   std::int32_t correlation) {
    if (!require_capability(thread, "accessibility")) {
        return false;
    }
    if (action_guard) {
        reject("accessibility-action", "reentrant-or-unavailable");
        return false;
    }
    const std::int32_t index = find_accessibility_node(node_id);
    if (!is_row(index, node_ids.size()) ||
        node_generations[static_cast<std::size_t>(index)] != generation) {
        reject("accessibility-action", "stale-or-missing-node-identity");
        return false;
    }
    if (reentrant) {
        reject("accessibility-action", "callback-reentrancy-blocked");
        return false;
    }
    action_guard = true;
    const flag_reset release_guard(action_guard);
    record_host_event("accessibility", node_id, "action", action, time, correlation, 2);
    return true;
}

}  // namespace tamo
