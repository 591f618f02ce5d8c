#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "retained/records/resource_set.hpp"
#include "retained/records/retained_fragment.hpp"
#include "retained/store/admission_records.hpp"
#include "retained/store/prepared_admission.hpp"
#include "retained/store/store_identity.hpp"

namespace tamo {

// Owner updates prepared together against one revision, committed later as
// one admission. A refused batch keeps the items prepared before the refusal
// and their summed counters.
class prepared_candidate_batch {
  public:
    prepared_candidate_batch(std::shared_ptr<store_identity> identity,
                             std::int32_t expected_revision, bool accepted, std::string message,
                             std::vector<std::shared_ptr<prepared_admission>> items,
                             std::int32_t scratch_probes, std::int32_t scratch_value_a,
                             std::int32_t scratch_value_b);
    virtual ~prepared_candidate_batch();

    virtual bool accepted() const;
    virtual std::int32_t revision() const;
    virtual std::int32_t item_count() const;
    virtual std::int32_t validation_count() const;
    virtual std::int32_t explicit_comparison_count() const;
    virtual std::int32_t payload_comparison_count() const;
    virtual std::int32_t index_probe_count() const;
    virtual std::int32_t scratch_probe_count() const;
    virtual std::int32_t scratch_counter_a() const;
    virtual std::int32_t scratch_counter_b() const;
    virtual std::string message() const;
    virtual bool consumed() const;
    virtual bool belongs_to(const std::shared_ptr<store_identity>& token) const;
    virtual void mark_consumed();
    // Item i against fragment i and delta i, same counts, same order.
    virtual bool inputs_unchanged(const std::vector<retained_fragment>& fragments,
                                  const std::vector<resource_set>& deltas) const;
    // Item i's admission rebuilt from the given inputs; a position outside
    // the items gives an admission that was never accepted.
    virtual pending_admission item_record(std::int32_t i, const retained_fragment& fragment,
                                          const resource_set& delta) const;

  private:
    std::shared_ptr<store_identity> identity;
    std::int32_t expected_revision;
    bool accepted_flag;
    bool consumed_flag = false;
    std::string message_text;
    std::vector<std::shared_ptr<prepared_admission>> items;
    std::int32_t validation_sum = 0;
    std::int32_t explicit_comparison_sum = 0;
    std::int32_t payload_comparison_sum = 0;
    std::int32_t index_probe_sum = 0;
    std::int32_t scratch_probes;
    std::int32_t scratch_value_a;
    std::int32_t scratch_value_b;
};

}  // namespace tamo
