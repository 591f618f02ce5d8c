#include "retained/store/column_read.hpp"
#include "retained/store/retained_resource_store.hpp"
#include "retained/store/saturating_counter.hpp"

namespace tamo {
namespace {

// Stored record below the stored count, else the staged record at the
// difference; a default record past both.
template <typename Record, typename Committed>
Record combined_record(std::int32_t row, std::int32_t stored, const std::vector<Record>& staged,
                       Committed committed) {
    if (row < stored) {
        return committed(row);
    }
    const std::int32_t position = row - stored;
    return row_in(position, staged.size()) ? staged[static_cast<std::size_t>(position)] : Record{};
}

}  // namespace

std::string retained_resource_store::surface() const {
    return surface_name;
}

std::string retained_resource_store::state() const {
    return state_text;
}

std::int32_t retained_resource_store::revision() const {
    return current_revision;
}

std::int32_t retained_resource_store::owner_count() const {
    return size_of(owner_ids.size());
}

std::int32_t retained_resource_store::command_count() const {
    return command_total;
}

std::int32_t retained_resource_store::payload_total() const {
    return payload_bytes;
}

std::int32_t retained_resource_store::validation_count() const {
    return validations;
}

std::int32_t retained_resource_store::explicit_comparison_count() const {
    return explicit_comparisons;
}

std::int32_t retained_resource_store::payload_comparison_count() const {
    return payload_comparisons;
}

std::int32_t retained_resource_store::admission_count() const {
    return admissions;
}

std::int32_t retained_resource_store::index_node_count() const {
    return index.entry_count();
}

std::int32_t retained_resource_store::index_bucket_count() const {
    return index.bucket_count();
}

std::int32_t retained_resource_store::index_probe_count() const {
    return index.probe_count();
}

std::int32_t retained_resource_store::paint_count() const {
    return size_of(paint_ids.size());
}

std::int32_t retained_resource_store::image_count() const {
    return size_of(image_ids.size());
}

std::int32_t retained_resource_store::glyph_count() const {
    return size_of(glyph_ids.size());
}

std::int32_t retained_resource_store::clip_count() const {
    return size_of(clip_ids.size());
}

std::int32_t retained_resource_store::transform_count() const {
    return size_of(transform_ids.size());
}

std::int32_t retained_resource_store::command_paint_row(std::int32_t command_row) const {
    return row_or_none(command_paint_rows, command_row);
}

std::int32_t retained_resource_store::command_image_row(std::int32_t command_row) const {
    return row_or_none(command_image_rows, command_row);
}

std::int32_t retained_resource_store::command_glyph_row(std::int32_t command_row) const {
    return row_or_none(command_glyph_rows, command_row);
}

std::int32_t retained_resource_store::command_clip_row(std::int32_t command_row) const {
    return row_or_none(command_clip_rows, command_row);
}

std::int32_t retained_resource_store::command_transform_row(std::int32_t command_row) const {
    return row_or_none(command_transform_rows, command_row);
}

std::int32_t retained_resource_store::command_owner_row(std::int32_t command_row) const {
    return row_or_none(command_owner_rows, command_row);
}

std::int32_t retained_resource_store::entry_count() const {
    std::int32_t total = paint_count();
    saturating_add(total, image_count());
    saturating_add(total, glyph_count());
    saturating_add(total, clip_count());
    saturating_add(total, transform_count());
    return total;
}

render_paint retained_resource_store::paint_at(const resource_tables& tables,
                                               std::int32_t row) const {
    return combined_record(row, paint_count(), tables.staged_paints,
                           [this](std::int32_t r) { return committed_paint_at(r); });
}

render_image retained_resource_store::image_at(const resource_tables& tables,
                                               std::int32_t row) const {
    return combined_record(row, image_count(), tables.staged_images,
                           [this](std::int32_t r) { return committed_image_at(r); });
}

render_glyph_alpha retained_resource_store::glyph_at(const resource_tables& tables,
                                                     std::int32_t row) const {
    return combined_record(row, glyph_count(), tables.staged_glyphs,
                           [this](std::int32_t r) { return committed_glyph_at(r); });
}

render_clip retained_resource_store::clip_at(const resource_tables& tables,
                                             std::int32_t row) const {
    return combined_record(row, clip_count(), tables.staged_clips,
                           [this](std::int32_t r) { return committed_clip_at(r); });
}

render_transform retained_resource_store::transform_at(const resource_tables& tables,
                                                       std::int32_t row) const {
    return combined_record(row, transform_count(), tables.staged_transforms,
                           [this](std::int32_t r) { return committed_transform_at(r); });
}

render_paint retained_resource_store::committed_paint_at(std::int32_t row) const {
    if (!row_in(row, paint_ids.size())) {
        return {};
    }
    const std::size_t r = static_cast<std::size_t>(row);
    return {paint_ids[r],    paint_reds[r],  paint_greens[r],        paint_blues[r],
            paint_alphas[r], paint_radii[r], paint_border_widths[r], paint_opacities[r]};
}

render_image retained_resource_store::committed_image_at(std::int32_t row) const {
    if (!row_in(row, image_ids.size())) {
        return {};
    }
    const std::size_t r = static_cast<std::size_t>(row);
    return {image_ids[r],      image_kinds[r],          image_generations[r],
            image_widths[r],   image_heights[r],        image_size_bytes[r],
            image_formats[r],  image_color_spaces[r],   image_alpha_modes[r],
            image_states[r],   image_resident_flags[r], image_content_identities[r],
            image_payloads[r], image_sources[r]};
}

render_glyph_alpha retained_resource_store::committed_glyph_at(std::int32_t row) const {
    if (!row_in(row, glyph_ids.size())) {
        return {};
    }
    const std::size_t r = static_cast<std::size_t>(row);
    // A stored glyph can only have the one admitted format.
    return {glyph_ids[r],         glyph_widths[r], glyph_heights[r],  glyph_row_strides[r],
            glyph_byte_counts[r], "a8-unorm-hex",  glyph_payloads[r], glyph_sources[r]};
}

render_clip retained_resource_store::committed_clip_at(std::int32_t row) const {
    if (!row_in(row, clip_ids.size())) {
        return {};
    }
    const std::size_t r = static_cast<std::size_t>(row);
    return {clip_ids[r], clip_xs[r], clip_ys[r], clip_widths[r], clip_heights[r], clip_radii[r]};
}

render_transform retained_resource_store::committed_transform_at(std::int32_t row) const {
    if (!row_in(row, transform_ids.size())) {
        return {};
    }
    const std::size_t r = static_cast<std::size_t>(row);
    return {transform_ids[r],
            transform_translate_xs[r],
            transform_translate_ys[r],
            transform_scale_x_percents[r],
            transform_scale_y_percents[r],
            transform_rotations[r]};
}

std::int32_t retained_resource_store::owner_generation(std::int32_t owner_row) const {
    return row_or_none(owner_generations, owner_row);
}

namespace {

// Command row of an owner's k-th command, -1 outside the owner's range.
std::int32_t owner_command_row(const std::vector<std::int32_t>& first_rows,
                               const std::vector<std::int32_t>& counts, std::int32_t owner_row,
                               std::int32_t k) {
    if (!row_in(owner_row, first_rows.size()) ||
        !row_in(k, static_cast<std::size_t>(counts[static_cast<std::size_t>(owner_row)]))) {
        return -1;
    }
    return first_rows[static_cast<std::size_t>(owner_row)] + k;
}

}  // namespace

std::int32_t retained_resource_store::owner_command_paint_row(std::int32_t owner_row,
                                                              std::int32_t k) const {
    return command_paint_row(
        owner_command_row(owner_first_command_rows, owner_command_counts, owner_row, k));
}

std::int32_t retained_resource_store::owner_command_image_row(std::int32_t owner_row,
                                                              std::int32_t k) const {
    return command_image_row(
        owner_command_row(owner_first_command_rows, owner_command_counts, owner_row, k));
}

std::int32_t retained_resource_store::owner_command_glyph_row(std::int32_t owner_row,
                                                              std::int32_t k) const {
    return command_glyph_row(
        owner_command_row(owner_first_command_rows, owner_command_counts, owner_row, k));
}

std::int32_t retained_resource_store::owner_command_clip_row(std::int32_t owner_row,
                                                             std::int32_t k) const {
    return command_clip_row(
        owner_command_row(owner_first_command_rows, owner_command_counts, owner_row, k));
}

std::int32_t retained_resource_store::owner_command_transform_row(std::int32_t owner_row,
                                                                  std::int32_t k) const {
    return command_transform_row(
        owner_command_row(owner_first_command_rows, owner_command_counts, owner_row, k));
}

}  // namespace tamo
