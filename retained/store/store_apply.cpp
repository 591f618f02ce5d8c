#include <utility>

#include "retained/store/column_growth.hpp"
#include "retained/store/column_read.hpp"
#include "retained/store/retained_resource_store.hpp"
#include "retained/store/saturating_counter.hpp"
#include "retained/store/store_keys.hpp"

namespace tamo {
namespace {

template <typename... Columns>
void reserve_columns(std::size_t additional, Columns&... columns) {
    (reserve_more(columns, additional), ...);
}

}  // namespace

void retained_resource_store::reserve_for_admissions(
    const std::vector<const pending_admission*>& admissions, binding_mode mode) {
    std::size_t paints = 0;
    std::size_t images = 0;
    std::size_t glyphs = 0;
    std::size_t clips = 0;
    std::size_t transforms = 0;
    std::size_t owners = 0;
    std::size_t commands = 0;
    for (const pending_admission* pending : admissions) {
        paints += pending->admitted_paints.size();
        images += pending->admitted_images.size();
        glyphs += pending->admitted_glyphs.size();
        clips += pending->admitted_clips.size();
        transforms += pending->admitted_transforms.size();
        if (mode != 0) {
            owners += 1;
            commands += pending->owner.commands.size();
        }
    }
    reserve_columns(paints, paint_ids, paint_reds, paint_greens, paint_blues, paint_alphas,
                    paint_radii, paint_border_widths, paint_opacities);
    reserve_columns(images, image_ids, image_kinds, image_generations, image_widths, image_heights,
                    image_size_bytes, image_formats, image_color_spaces, image_alpha_modes,
                    image_states, image_resident_flags, image_content_identities, image_payloads,
                    image_sources);
    reserve_columns(glyphs, glyph_ids, glyph_widths, glyph_heights, glyph_row_strides,
                    glyph_byte_counts, glyph_formats, glyph_payloads, glyph_sources);
    reserve_columns(clips, clip_ids, clip_xs, clip_ys, clip_widths, clip_heights, clip_radii);
    reserve_columns(transforms, transform_ids, transform_translate_xs, transform_translate_ys,
                    transform_scale_x_percents, transform_scale_y_percents, transform_rotations);
    reserve_columns(owners, owner_ids, owner_generations, owner_first_sequences,
                    owner_last_sequences, owner_first_command_rows, owner_command_counts);
    reserve_columns(commands, command_sequences, command_owner_rows, command_texts, command_kinds,
                    command_image_ids, command_image_generations, command_paint_rows,
                    command_image_rows, command_glyph_rows, command_clip_rows,
                    command_transform_rows);
    index.reserve_entries(paints + 2 * images + glyphs + clips + transforms + owners + commands);
}

void retained_resource_store::apply_pending_admission(pending_admission pending,
                                                      binding_mode mode) {
    owner_group& owner = pending.owner;
    const std::int32_t n = size_of(owner.commands.size());
    const std::int32_t bound_row = mode != 0 ? -1 : find_owner_binding(owner.owner_id);
    // Every command needs its five rows, and an update writes in place over
    // the owner's own command rows only.
    const bool rows_complete = owner.paint_rows.size() == owner.commands.size() &&
                               owner.image_rows.size() == owner.commands.size() &&
                               owner.glyph_rows.size() == owner.commands.size() &&
                               owner.clip_rows.size() == owner.commands.size() &&
                               owner.transform_rows.size() == owner.commands.size();
    const bool range_kept =
        mode != 0 || (row_in(bound_row, owner_ids.size()) &&
                      owner_command_counts[static_cast<std::size_t>(bound_row)] == n);
    if (!rows_complete || !range_kept) {
        return;
    }
    reserve_for_admissions({&pending}, mode);

    for (render_paint& paint : pending.admitted_paints) {
        put_paint(std::move(paint));
    }
    for (render_image& image : pending.admitted_images) {
        const std::int32_t size = image.sizeBytes;
        put_image(std::move(image));
        saturating_add(payload_bytes, size);
    }
    for (render_glyph_alpha& glyph : pending.admitted_glyphs) {
        const std::int32_t size = glyph.byteCount;
        put_glyph(std::move(glyph));
        saturating_add(payload_bytes, size);
    }
    for (render_clip& clip : pending.admitted_clips) {
        put_clip(std::move(clip));
    }
    for (render_transform& transform : pending.admitted_transforms) {
        put_transform(std::move(transform));
    }

    if (mode != 0) {
        const std::int32_t owner_row = owner_count();
        owner_ids.push_back(owner.owner_id);
        index_put(binding_key(owner.owner_id), owner_row);
        owner_generations.push_back(owner.generation);
        owner_first_sequences.push_back(owner.first_sequence);
        owner_last_sequences.push_back(owner.last_sequence);
        owner_first_command_rows.push_back(size_of(command_sequences.size()));
        owner_command_counts.push_back(n);
        for (std::size_t k = 0; k < owner.commands.size(); ++k) {
            const std::int32_t command_row = size_of(command_sequences.size());
            append_command(owner_row, owner.commands[k], owner.paint_rows[k], owner.image_rows[k],
                           owner.glyph_rows[k], owner.clip_rows[k], owner.transform_rows[k]);
            index_put(command_sequence_key(owner.commands[k].sequence), command_row);
        }
        saturating_add(command_total, n);
        return;
    }

    const std::size_t r = static_cast<std::size_t>(bound_row);
    const std::int32_t first = owner_first_command_rows[r];
    owner_generations[r] = owner.generation;
    owner_first_sequences[r] = owner.first_sequence;
    owner_last_sequences[r] = owner.last_sequence;
    for (std::size_t k = 0; k < owner.commands.size(); ++k) {
        replace_command(first + size_of(k), owner.commands[k], owner.paint_rows[k],
                        owner.image_rows[k], owner.glyph_rows[k], owner.clip_rows[k],
                        owner.transform_rows[k]);
    }
}

operation_result retained_resource_store::commit_pending_admission(pending_admission pending,
                                                                   binding_mode mode) {
    if (!pending.ok) {
        return make_operation_result(false, current_revision, 0, 0, 0, std::move(pending.message));
    }
    const std::int32_t added_validations = pending.validations;
    const std::int32_t added_explicit = pending.explicit_comparisons;
    const std::int32_t added_payload = pending.payload_comparisons;
    const std::int32_t added_probes = pending.index_probes;
    apply_pending_admission(std::move(pending), mode);
    saturating_add(validations, added_validations);
    saturating_add(explicit_comparisons, added_explicit);
    saturating_add(payload_comparisons, added_payload);
    index.add_probes(added_probes);
    saturating_add(admissions, 1);
    saturating_add(current_revision, 1);
    return make_operation_result(true, current_revision, added_validations, added_explicit,
                                 added_payload, "ok");
}

}  // namespace tamo
