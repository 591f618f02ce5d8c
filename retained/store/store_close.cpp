#include "retained/store/retained_resource_store.hpp"
#include "retained/store/saturating_counter.hpp"
#include "runtime/text_format.hpp"

namespace tamo {
namespace {

template <typename... Columns>
void empty_columns(Columns&... columns) {
    (columns.clear(), ...);
}

}  // namespace

bool retained_resource_store::close() {
    if (state_text == "closed") {
        return true;
    }
    empty_columns(paint_ids, paint_reds, paint_greens, paint_blues, paint_alphas, paint_radii,
                  paint_border_widths, paint_opacities);
    empty_columns(image_ids, image_kinds, image_generations, image_widths, image_heights,
                  image_size_bytes, image_formats, image_color_spaces, image_alpha_modes,
                  image_states, image_resident_flags, image_content_identities, image_payloads,
                  image_sources);
    empty_columns(glyph_ids, glyph_widths, glyph_heights, glyph_row_strides, glyph_byte_counts,
                  glyph_formats, glyph_payloads, glyph_sources);
    empty_columns(clip_ids, clip_xs, clip_ys, clip_widths, clip_heights, clip_radii);
    empty_columns(transform_ids, transform_translate_xs, transform_translate_ys,
                  transform_scale_x_percents, transform_scale_y_percents, transform_rotations);
    empty_columns(owner_ids, owner_generations, owner_first_sequences, owner_last_sequences,
                  owner_first_command_rows, owner_command_counts);
    empty_columns(command_sequences, command_owner_rows, command_texts, command_kinds,
                  command_image_ids, command_image_generations, command_paint_rows,
                  command_image_rows, command_glyph_rows, command_clip_rows,
                  command_transform_rows);
    // The bucket heads are refilled with -1 rather than dropped, so lookups on
    // the closed store stay in bounds and simply miss.
    index.clear_entries();
    command_total = 0;
    payload_bytes = 0;
    state_text = "closed";
    saturating_add(current_revision, 1);
    return true;
}

std::string retained_resource_store::summary() const {
    return format_message(
        "retained-resource-store-v1: surface={0}; state={1}; revision={2}; entries={3}; "
        "owners={4}; commands={5}; payload={6}; validations={7}; explicit-comparisons={8}; "
        "payload-comparisons={9}; admissions={10}; rejections=operation-results-only",
        {surface_name, state_text, std::to_string(current_revision), std::to_string(entry_count()),
         std::to_string(owner_count()), std::to_string(command_total),
         std::to_string(payload_bytes), std::to_string(validations),
         std::to_string(explicit_comparisons), std::to_string(payload_comparisons),
         std::to_string(admissions)});
}

}  // namespace tamo
