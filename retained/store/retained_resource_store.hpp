#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "retained/records/render_resources.hpp"
#include "retained/records/resource_set.hpp"
#include "retained/records/retained_fragment.hpp"
#include "retained/store/admission_records.hpp"
#include "retained/store/operation_result.hpp"
#include "retained/store/prepared_admission.hpp"
#include "retained/store/prepared_candidate_batch.hpp"
#include "retained/store/store_identity.hpp"
#include "retained/store/string_index_map.hpp"

namespace tamo {

// Validating, revisioned store of the retained render resources of one
// drawing surface. Records are kept in column form and found through one
// 8192-bucket index. Every operation is virtual; the writers are protected,
// so rows change only through admissions a preflight accepted.
//
// The int32 counters (probes, validations, comparisons, admissions and the
// revision) saturate at 2147483647.
class retained_resource_store {
  public:
    explicit retained_resource_store(std::string surface_name);
    retained_resource_store(const retained_resource_store&) = delete;
    retained_resource_store& operator=(const retained_resource_store&) = delete;
    virtual ~retained_resource_store();

    virtual std::string surface() const;
    virtual std::string state() const;
    virtual std::int32_t revision() const;
    virtual std::int32_t owner_count() const;
    virtual std::int32_t command_count() const;
    virtual std::int32_t payload_total() const;
    virtual std::int32_t validation_count() const;
    virtual std::int32_t explicit_comparison_count() const;
    virtual std::int32_t payload_comparison_count() const;
    virtual std::int32_t admission_count() const;
    virtual std::int32_t index_node_count() const;
    virtual std::int32_t index_bucket_count() const;
    virtual std::int32_t index_probe_count() const;
    virtual std::int32_t paint_count() const;
    virtual std::int32_t image_count() const;
    virtual std::int32_t glyph_count() const;
    virtual std::int32_t clip_count() const;
    virtual std::int32_t transform_count() const;
    // Resolved resource row of a command row; -1 for none or out of range.
    virtual std::int32_t command_paint_row(std::int32_t command_row) const;
    virtual std::int32_t command_image_row(std::int32_t command_row) const;
    virtual std::int32_t command_glyph_row(std::int32_t command_row) const;
    virtual std::int32_t command_clip_row(std::int32_t command_row) const;
    virtual std::int32_t command_transform_row(std::int32_t command_row) const;
    virtual std::int32_t command_owner_row(std::int32_t command_row) const;
    virtual std::int32_t entry_count() const;

    virtual std::int32_t find_owner_binding(std::string_view owner_id) const;
    virtual std::int32_t index_find(std::string_view key) const;
    virtual std::int32_t find_owner_binding_counted(pending_admission& pending,
                                                    std::string_view owner_id) const;
    virtual std::int32_t index_find_counted(pending_admission& pending, std::string_view key) const;

  protected:
    virtual void index_put(std::string_view key, std::int32_t value);

  public:
    // Combined rows: stored rows, then the rows staged in the tables.
    virtual std::int32_t resolve_paint(pending_admission& pending, resource_tables& tables,
                                       std::string_view id) const;
    virtual std::int32_t resolve_image_generation(pending_admission& pending,
                                                  resource_tables& tables, std::string_view id,
                                                  std::int32_t generation) const;
    // Newest generation known for an image id, 0 when none.
    virtual std::int32_t latest_image_generation(pending_admission& pending,
                                                 resource_tables& tables,
                                                 std::string_view id) const;
    virtual std::int32_t resolve_glyph(pending_admission& pending, resource_tables& tables,
                                       std::string_view id) const;
    virtual std::int32_t resolve_clip(pending_admission& pending, resource_tables& tables,
                                      std::string_view id) const;
    virtual std::int32_t resolve_transform(pending_admission& pending, resource_tables& tables,
                                           std::string_view id) const;

    // Stored or staged record at a combined row; a default record out of range.
    virtual render_paint paint_at(const resource_tables& tables, std::int32_t row) const;
    virtual render_image image_at(const resource_tables& tables, std::int32_t row) const;
    virtual render_glyph_alpha glyph_at(const resource_tables& tables, std::int32_t row) const;
    virtual render_clip clip_at(const resource_tables& tables, std::int32_t row) const;
    virtual render_transform transform_at(const resource_tables& tables, std::int32_t row) const;

    // Records rebuilt from the columns; a default record out of range.
    virtual render_paint committed_paint_at(std::int32_t row) const;
    virtual render_image committed_image_at(std::int32_t row) const;
    virtual render_glyph_alpha committed_glyph_at(std::int32_t row) const;
    virtual render_clip committed_clip_at(std::int32_t row) const;
    virtual render_transform committed_transform_at(std::int32_t row) const;

    // -1 out of range.
    virtual std::int32_t owner_generation(std::int32_t owner_row) const;
    virtual std::int32_t owner_command_paint_row(std::int32_t owner_row, std::int32_t k) const;
    virtual std::int32_t owner_command_image_row(std::int32_t owner_row, std::int32_t k) const;
    virtual std::int32_t owner_command_glyph_row(std::int32_t owner_row, std::int32_t k) const;
    virtual std::int32_t owner_command_clip_row(std::int32_t owner_row, std::int32_t k) const;
    virtual std::int32_t owner_command_transform_row(std::int32_t owner_row, std::int32_t k) const;

    // Admission rules: true to go on; false after writing the refusal into
    // the pending admission's message.
    virtual bool admit_paint(pending_admission& pending, resource_tables& tables,
                             render_paint paint) const;
    virtual bool admit_image(pending_admission& pending, resource_tables& tables,
                             render_image image) const;
    virtual bool admit_glyph(pending_admission& pending, resource_tables& tables,
                             render_glyph_alpha glyph) const;
    virtual bool admit_clip(pending_admission& pending, resource_tables& tables,
                            render_clip clip) const;
    virtual bool admit_transform(pending_admission& pending, resource_tables& tables,
                                 render_transform transform) const;

    // Combined row a command refers to, continuing over the pending
    // admission's own new records; -1 when missing.
    virtual std::int32_t resolve_paint_reference(pending_admission& pending,
                                                 resource_tables& tables,
                                                 std::string_view id) const;
    virtual std::int32_t resolve_image_reference(pending_admission& pending,
                                                 resource_tables& tables, std::string_view id,
                                                 std::int32_t generation) const;
    virtual std::int32_t resolve_glyph_reference(pending_admission& pending,
                                                 resource_tables& tables,
                                                 std::string_view id) const;
    virtual std::int32_t resolve_clip_reference(pending_admission& pending, resource_tables& tables,
                                                std::string_view id) const;
    virtual std::int32_t resolve_transform_reference(pending_admission& pending,
                                                     resource_tables& tables,
                                                     std::string_view id) const;

    // Checks a fragment with its resources against the store's revision,
    // limits and contents and works out the whole admission; changes nothing.
    // Uses fresh single-bucket scratch tables.
    virtual pending_admission preflight(retained_fragment fragment, resource_set delta,
                                        std::int32_t expected_revision, binding_mode mode) const;
    // The same against the caller's scratch tables, which gain nothing but
    // the probe count of their staged keys.
    virtual pending_admission preflight_with_tables(retained_fragment fragment, resource_set delta,
                                                    std::int32_t expected_revision,
                                                    binding_mode mode,
                                                    resource_tables& tables) const;

    virtual void stage_pending_admission(const pending_admission& pending,
                                         resource_tables& tables) const;
    // Preflights 1..4096 updates of bound owners in order against shared
    // scratch tables; the store does not change.
    virtual std::shared_ptr<prepared_candidate_batch> prepare_candidate_batch(
        std::vector<retained_fragment> fragments, std::vector<resource_set> deltas,
        std::int32_t expected_revision) const;

  protected:
    virtual void put_paint(render_paint paint);
    virtual void put_image(render_image image);
    virtual void put_glyph(render_glyph_alpha glyph);
    virtual void put_clip(render_clip clip);
    virtual void put_transform(render_transform transform);
    virtual void append_command(std::int32_t owner_row, const render_command& command,
                                std::int32_t paint_row, std::int32_t image_row,
                                std::int32_t glyph_row, std::int32_t clip_row,
                                std::int32_t transform_row);
    virtual void replace_command(std::int32_t command_row, const render_command& command,
                                 std::int32_t paint_row, std::int32_t image_row,
                                 std::int32_t glyph_row, std::int32_t clip_row,
                                 std::int32_t transform_row);
    // Writes an accepted admission; grows every column it needs before the
    // first write.
    virtual void apply_pending_admission(pending_admission pending, binding_mode mode);
    // Applies an accepted admission, adds its counters and advances the
    // revision; a refused admission is answered with its message.
    virtual operation_result commit_pending_admission(pending_admission pending, binding_mode mode);

  public:
    // Preflight as a binding of a new owner and commit.
    virtual operation_result bind_owner(retained_fragment fragment, resource_set delta,
                                        std::int32_t expected_revision);
    // Preflight as a binding now, for a commit later.
    virtual std::shared_ptr<prepared_admission> prepare_bind_owner(
        retained_fragment fragment, resource_set delta, std::int32_t expected_revision) const;
    // Preflight as a binding only; the store does not change.
    virtual operation_result validate_bind_owner(retained_fragment fragment, resource_set delta,
                                                 std::int32_t expected_revision) const;
    // Preflight as an update of a bound owner and commit.
    virtual operation_result update_owner(retained_fragment fragment, resource_set delta,
                                          std::int32_t expected_revision);
    // Preflight as an update now, for a commit later.
    virtual std::shared_ptr<prepared_admission> prepare_update_owner(
        retained_fragment fragment, resource_set delta, std::int32_t expected_revision) const;
    // Commits a prepared admission of this store, of the given kind, not
    // consumed, accepted, still at the store's revision and given the inputs
    // it was prepared with.
    virtual operation_result commit_prepared_admission(
        const std::shared_ptr<prepared_admission>& prepared, retained_fragment fragment,
        resource_set delta, std::uint8_t kind);
    virtual operation_result commit_prepared_binding(
        const std::shared_ptr<prepared_admission>& prepared, retained_fragment fragment,
        resource_set delta);
    virtual operation_result commit_prepared_update(
        const std::shared_ptr<prepared_admission>& prepared, retained_fragment fragment,
        resource_set delta);
    // Commits every item of an accepted batch as one admission and one revision.
    virtual operation_result commit_prepared_candidate_batch(
        const std::shared_ptr<prepared_candidate_batch>& batch,
        std::vector<retained_fragment> fragments, std::vector<resource_set> deltas);
    // Preflight as an update only; the store does not change.
    virtual operation_result validate_update_owner(retained_fragment fragment, resource_set delta,
                                                   std::int32_t expected_revision) const;

    virtual std::int32_t owner_of_equal_command(const render_command& command) const;
    virtual std::int32_t find_equal_command(const render_command& command) const;

    // Empties every row and key, moves to "closed" and advances the revision;
    // closing a closed store changes nothing. Always true.
    virtual bool close();
    // "retained-resource-store-v1: surface={0}; state={1}; ..." on one line.
    virtual std::string summary() const;

  private:
    // Grows every column for the writes of the given admissions.
    void reserve_for_admissions(const std::vector<const pending_admission*>& admissions,
                                binding_mode mode);
    // Steps of the preflight; each answers its refusal or the empty text.
    std::string owner_refusal(const retained_fragment& fragment, std::int32_t bound_row,
                              binding_mode mode) const;
    std::string limit_refusal(const pending_admission& pending, const resource_tables& tables,
                              const retained_fragment& fragment, std::int32_t bound_row,
                              binding_mode mode) const;
    // Resolves every command's references into the owner group, in order.
    std::string resolve_commands(pending_admission& pending, resource_tables& tables,
                                 retained_fragment fragment) const;

    std::shared_ptr<store_identity> identity;
    std::string surface_name;
    std::string state_text;
    std::int32_t current_revision = 0;

    std::vector<std::string> paint_ids;
    std::vector<std::int32_t> paint_reds;
    std::vector<std::int32_t> paint_greens;
    std::vector<std::int32_t> paint_blues;
    std::vector<std::int32_t> paint_alphas;
    std::vector<std::int32_t> paint_radii;
    std::vector<std::int32_t> paint_border_widths;
    std::vector<std::int32_t> paint_opacities;

    std::vector<std::string> image_ids;
    std::vector<std::string> image_kinds;
    std::vector<std::int32_t> image_generations;
    std::vector<std::int32_t> image_widths;
    std::vector<std::int32_t> image_heights;
    std::vector<std::int32_t> image_size_bytes;
    std::vector<std::string> image_formats;
    std::vector<std::string> image_color_spaces;
    std::vector<std::string> image_alpha_modes;
    std::vector<std::string> image_states;
    std::vector<bool> image_resident_flags;
    std::vector<std::string> image_content_identities;
    std::vector<std::string> image_payloads;
    std::vector<std::string> image_sources;

    std::vector<std::string> glyph_ids;
    std::vector<std::int32_t> glyph_widths;
    std::vector<std::int32_t> glyph_heights;
    std::vector<std::int32_t> glyph_row_strides;
    std::vector<std::int32_t> glyph_byte_counts;
    std::vector<std::string> glyph_formats;
    std::vector<std::string> glyph_payloads;
    std::vector<std::string> glyph_sources;

    std::vector<std::string> clip_ids;
    std::vector<std::int32_t> clip_xs;
    std::vector<std::int32_t> clip_ys;
    std::vector<std::int32_t> clip_widths;
    std::vector<std::int32_t> clip_heights;
    std::vector<std::int32_t> clip_radii;

    std::vector<std::string> transform_ids;
    std::vector<std::int32_t> transform_translate_xs;
    std::vector<std::int32_t> transform_translate_ys;
    std::vector<std::int32_t> transform_scale_x_percents;
    std::vector<std::int32_t> transform_scale_y_percents;
    std::vector<std::int32_t> transform_rotations;

    string_index_map index;

    std::vector<std::string> owner_ids;
    std::vector<std::int32_t> owner_generations;
    std::vector<std::int32_t> owner_first_sequences;
    std::vector<std::int32_t> owner_last_sequences;
    std::vector<std::int32_t> owner_first_command_rows;
    std::vector<std::int32_t> owner_command_counts;

    std::vector<std::int32_t> command_sequences;
    std::vector<std::int32_t> command_owner_rows;
    std::vector<std::string> command_texts;
    std::vector<std::string> command_kinds;
    std::vector<std::string> command_image_ids;
    std::vector<std::int32_t> command_image_generations;
    std::vector<std::int32_t> command_paint_rows;
    std::vector<std::int32_t> command_image_rows;
    std::vector<std::int32_t> command_glyph_rows;
    std::vector<std::int32_t> command_clip_rows;
    std::vector<std::int32_t> command_transform_rows;

    std::int32_t command_total = 0;
    std::int32_t payload_bytes = 0;
    std::int32_t validations = 0;
    std::int32_t explicit_comparisons = 0;
    std::int32_t payload_comparisons = 0;
    std::int32_t admissions = 0;
};

}  // namespace tamo
