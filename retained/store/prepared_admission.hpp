#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "retained/records/resource_set.hpp"
#include "retained/records/retained_fragment.hpp"
#include "retained/store/admission_records.hpp"
#include "retained/store/store_identity.hpp"

namespace tamo {

// A preflight's verdict kept for a later commit: its counters, the rows its
// commands resolved to and the canonical texts of its inputs and of the
// records it admitted. It keeps no record itself.
class prepared_admission {
  public:
    // kind: 1 for a binding, 0 for an update.
    prepared_admission(std::shared_ptr<store_identity> identity, const pending_admission& pending,
                       const retained_fragment& fragment, const resource_set& resources,
                       std::int32_t expected_revision, std::uint8_t kind);
    virtual ~prepared_admission();

    virtual bool accepted() const;
    virtual std::int32_t revision() const;
    virtual std::int32_t validation_count() const;
    virtual std::int32_t explicit_comparison_count() const;
    virtual std::int32_t payload_comparison_count() const;
    virtual std::int32_t index_probe_count() const;
    virtual std::string message() const;
    virtual bool consumed() const;
    // True for the very token object it was prepared with.
    virtual bool belongs_to(const std::shared_ptr<store_identity>& token) const;
    virtual std::uint8_t kind() const;
    virtual void mark_consumed();
    // Whether the inputs write exactly the captured texts (the resource
    // set's surface aside).
    virtual bool inputs_unchanged(const retained_fragment& fragment,
                                  const resource_set& resources) const;
    // The admission rebuilt from the captured rows and the given records. A
    // fragment with other commands than were captured gives a refused one.
    virtual pending_admission validated_record(const retained_fragment& fragment,
                                               const resource_set& resources) const;

  private:
    std::shared_ptr<store_identity> identity;
    std::int32_t expected_revision;
    std::uint8_t admission_kind;
    bool consumed_flag = false;
    bool accepted_flag;
    std::string message_text;
    std::int32_t validations;
    std::int32_t explicit_comparisons;
    std::int32_t payload_comparisons;
    std::int32_t index_probes;
    std::int32_t first_sequence;
    std::int32_t last_sequence;
    std::string fragment_text;
    std::vector<std::string> command_texts;
    std::vector<std::string> paint_texts;
    std::vector<std::string> image_texts;
    std::vector<std::string> glyph_texts;
    std::vector<std::string> clip_texts;
    std::vector<std::string> transform_texts;
    std::vector<std::string> admitted_paint_texts;
    std::vector<std::string> admitted_image_texts;
    std::vector<std::string> admitted_glyph_texts;
    std::vector<std::string> admitted_clip_texts;
    std::vector<std::string> admitted_transform_texts;
    std::vector<std::int32_t> paint_rows;
    std::vector<std::int32_t> image_rows;
    std::vector<std::int32_t> glyph_rows;
    std::vector<std::int32_t> clip_rows;
    std::vector<std::int32_t> transform_rows;
};

}  // namespace tamo
