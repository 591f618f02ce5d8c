#include "retained/store/admission_records.hpp"

#include <utility>

#include "retained/store/saturating_counter.hpp"

namespace tamo {

std::int32_t resource_tables::scratch_probe_total() const {
    std::int32_t total = batch_owner_ids.probe_count();
    saturating_add(total, staged_keys.probe_count());
    saturating_add(total, batch_sequences.probe_count());
    return total;
}

pending_admission make_pending_admission(std::string owner_id, std::int32_t generation) {
    pending_admission pending;
    pending.message = "preflight-not-complete";
    pending.owner.owner_id = std::move(owner_id);
    pending.owner.generation = generation;
    return pending;
}

resource_tables make_resource_tables(std::int32_t bucket_count) {
    resource_tables tables;
    tables.staged_keys = string_index_map(bucket_count);
    tables.batch_owner_ids = string_index_map(bucket_count);
    tables.batch_sequences = string_index_map(bucket_count);
    return tables;
}

}  // namespace tamo
