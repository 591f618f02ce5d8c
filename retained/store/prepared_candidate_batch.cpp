#include "retained/store/prepared_candidate_batch.hpp"

#include <utility>

#include "retained/store/column_read.hpp"
#include "retained/store/saturating_counter.hpp"

namespace tamo {

prepared_candidate_batch::prepared_candidate_batch(
    std::shared_ptr<store_identity> identity, std::int32_t expected_revision, bool accepted,
    std::string message, std::vector<std::shared_ptr<prepared_admission>> items,
    std::int32_t scratch_probes, std::int32_t scratch_value_a, std::int32_t scratch_value_b)
    : identity(std::move(identity)),
      expected_revision(expected_revision),
      accepted_flag(accepted),
      message_text(std::move(message)),
      items(std::move(items)),
      scratch_probes(scratch_probes),
      scratch_value_a(scratch_value_a),
      scratch_value_b(scratch_value_b) {
    for (const std::shared_ptr<prepared_admission>& item : this->items) {
        saturating_add(validation_sum, item->validation_count());
        saturating_add(explicit_comparison_sum, item->explicit_comparison_count());
        saturating_add(payload_comparison_sum, item->payload_comparison_count());
        saturating_add(index_probe_sum, item->index_probe_count());
    }
}

prepared_candidate_batch::~prepared_candidate_batch() = default;

bool prepared_candidate_batch::accepted() const {
    return accepted_flag;
}

std::int32_t prepared_candidate_batch::revision() const {
    return expected_revision;
}

std::int32_t prepared_candidate_batch::item_count() const {
    return size_of(items.size());
}

std::int32_t prepared_candidate_batch::validation_count() const {
    return validation_sum;
}

std::int32_t prepared_candidate_batch::explicit_comparison_count() const {
    return explicit_comparison_sum;
}

std::int32_t prepared_candidate_batch::payload_comparison_count() const {
    return payload_comparison_sum;
}

std::int32_t prepared_candidate_batch::index_probe_count() const {
    return index_probe_sum;
}

std::int32_t prepared_candidate_batch::scratch_probe_count() const {
    return scratch_probes;
}

std::int32_t prepared_candidate_batch::scratch_counter_a() const {
    return scratch_value_a;
}

std::int32_t prepared_candidate_batch::scratch_counter_b() const {
    return scratch_value_b;
}

std::string prepared_candidate_batch::message() const {
    return message_text;
}

bool prepared_candidate_batch::consumed() const {
    return consumed_flag;
}

bool prepared_candidate_batch::belongs_to(const std::shared_ptr<store_identity>& token) const {
    return identity == token;
}

void prepared_candidate_batch::mark_consumed() {
    consumed_flag = true;
}

bool prepared_candidate_batch::inputs_unchanged(const std::vector<retained_fragment>& fragments,
                                                const std::vector<resource_set>& deltas) const {
    if (items.size() != fragments.size() || items.size() != deltas.size()) {
        return false;
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!items[i]->inputs_unchanged(fragments[i], deltas[i])) {
            return false;
        }
    }
    return true;
}

pending_admission prepared_candidate_batch::item_record(std::int32_t i,
                                                        const retained_fragment& fragment,
                                                        const resource_set& delta) const {
    if (!row_in(i, items.size())) {
        return make_pending_admission("", 0);
    }
    return items[static_cast<std::size_t>(i)]->validated_record(fragment, delta);
}

}  // namespace tamo
