#include <utility>

#include "retained/records/record_texts.hpp"
#include "retained/store/column_read.hpp"
#include "retained/store/retained_resource_store.hpp"
#include "retained/store/store_keys.hpp"

namespace tamo {

void retained_resource_store::put_paint(render_paint paint) {
    const std::int32_t row = paint_count();
    const std::string key = paint_key(paint.id);
    paint_ids.push_back(std::move(paint.id));
    paint_reds.push_back(paint.red);
    paint_greens.push_back(paint.green);
    paint_blues.push_back(paint.blue);
    paint_alphas.push_back(paint.alpha);
    paint_radii.push_back(paint.radius);
    paint_border_widths.push_back(paint.borderWidth);
    paint_opacities.push_back(paint.opacity);
    index_put(key, row);
}

void retained_resource_store::put_image(render_image image) {
    const std::int32_t row = image_count();
    const std::string generation_key = image_generation_key(image.id, image.generation);
    const std::string latest_key = image_latest_key(image.id);
    image_ids.push_back(std::move(image.id));
    image_kinds.push_back(std::move(image.kind));
    image_generations.push_back(image.generation);
    image_widths.push_back(image.width);
    image_heights.push_back(image.height);
    image_size_bytes.push_back(image.sizeBytes);
    image_formats.push_back(std::move(image.format));
    image_color_spaces.push_back(std::move(image.colorSpace));
    image_alpha_modes.push_back(std::move(image.alphaMode));
    image_states.push_back(std::move(image.state));
    image_resident_flags.push_back(image.resident);
    image_content_identities.push_back(std::move(image.contentIdentity));
    image_payloads.push_back(std::move(image.payload));
    image_sources.push_back(std::move(image.source));
    index_put(generation_key, row);
    // The latest key follows the generation stored last for the id.
    index_put(latest_key, row);
}

void retained_resource_store::put_glyph(render_glyph_alpha glyph) {
    const std::int32_t row = glyph_count();
    const std::string key = glyph_key(glyph.id);
    glyph_ids.push_back(std::move(glyph.id));
    glyph_widths.push_back(glyph.width);
    glyph_heights.push_back(glyph.height);
    glyph_row_strides.push_back(glyph.rowStride);
    glyph_byte_counts.push_back(glyph.byteCount);
    glyph_formats.push_back(std::move(glyph.format));
    glyph_payloads.push_back(std::move(glyph.payload));
    glyph_sources.push_back(std::move(glyph.source));
    index_put(key, row);
}

void retained_resource_store::put_clip(render_clip clip) {
    const std::int32_t row = clip_count();
    const std::string key = clip_key(clip.id);
    clip_ids.push_back(std::move(clip.id));
    clip_xs.push_back(clip.x);
    clip_ys.push_back(clip.y);
    clip_widths.push_back(clip.width);
    clip_heights.push_back(clip.height);
    clip_radii.push_back(clip.radius);
    index_put(key, row);
}

void retained_resource_store::put_transform(render_transform transform) {
    const std::int32_t row = transform_count();
    const std::string key = transform_key(transform.id);
    transform_ids.push_back(std::move(transform.id));
    transform_translate_xs.push_back(transform.translateX);
    transform_translate_ys.push_back(transform.translateY);
    transform_scale_x_percents.push_back(transform.scaleXPercent);
    transform_scale_y_percents.push_back(transform.scaleYPercent);
    transform_rotations.push_back(transform.rotationMillidegrees);
    index_put(key, row);
}

void retained_resource_store::append_command(std::int32_t owner_row, const render_command& command,
                                             std::int32_t paint_row, std::int32_t image_row,
                                             std::int32_t glyph_row, std::int32_t clip_row,
                                             std::int32_t transform_row) {
    std::string text = write_command_record(command);
    command_sequences.push_back(command.sequence);
    command_owner_rows.push_back(owner_row);
    command_texts.push_back(std::move(text));
    command_kinds.push_back(command.kind);
    command_image_ids.push_back(command.resourceId);
    command_image_generations.push_back(command.imageGeneration);
    command_paint_rows.push_back(paint_row);
    command_image_rows.push_back(image_row);
    command_glyph_rows.push_back(glyph_row);
    command_clip_rows.push_back(clip_row);
    command_transform_rows.push_back(transform_row);
}

void retained_resource_store::replace_command(std::int32_t command_row,
                                              const render_command& command, std::int32_t paint_row,
                                              std::int32_t image_row, std::int32_t glyph_row,
                                              std::int32_t clip_row, std::int32_t transform_row) {
    if (!row_in(command_row, command_sequences.size())) {
        return;
    }
    const std::size_t r = static_cast<std::size_t>(command_row);
    command_texts[r] = write_command_record(command);
    command_sequences[r] = command.sequence;
    command_kinds[r] = command.kind;
    command_image_ids[r] = command.resourceId;
    command_image_generations[r] = command.imageGeneration;
    command_paint_rows[r] = paint_row;
    command_image_rows[r] = image_row;
    command_glyph_rows[r] = glyph_row;
    command_clip_rows[r] = clip_row;
    command_transform_rows[r] = transform_row;
}

std::int32_t retained_resource_store::find_equal_command(const render_command& command) const {
    const std::int32_t row = index_find(command_sequence_key(command.sequence));
    if (!row_in(row, command_sequences.size()) ||
        command_sequences[static_cast<std::size_t>(row)] != command.sequence) {
        return -1;
    }
    return write_command_record(command) == command_texts[static_cast<std::size_t>(row)] ? row : -1;
}

std::int32_t retained_resource_store::owner_of_equal_command(const render_command& command) const {
    return row_or_none(command_owner_rows, find_equal_command(command));
}

}  // namespace tamo
