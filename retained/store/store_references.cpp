#include "retained/store/column_read.hpp"
#include "retained/store/retained_resource_store.hpp"

namespace tamo {
namespace {

// A stored or staged record wins; else the admission's own record at its
// position, numbered after the stored and the staged ones. The position is
// only looked up when the store and the tables lack the record.
template <typename AdmittedPosition>
std::int32_t continue_over_admitted(std::int32_t found, std::int32_t stored, std::size_t staged,
                                    AdmittedPosition admitted_position) {
    if (found >= 0) {
        return found;
    }
    const std::int32_t position = admitted_position();
    return position < 0 ? -1 : stored + size_of(staged) + position;
}

}  // namespace

std::int32_t retained_resource_store::resolve_paint_reference(pending_admission& pending,
                                                              resource_tables& tables,
                                                              std::string_view id) const {
    return continue_over_admitted(
        resolve_paint(pending, tables, id), paint_count(), tables.staged_paints.size(),
        [&] { return pending.positions.paint(pending.admitted_paints, id); });
}

std::int32_t retained_resource_store::resolve_image_reference(pending_admission& pending,
                                                              resource_tables& tables,
                                                              std::string_view id,
                                                              std::int32_t generation) const {
    return continue_over_admitted(
        resolve_image_generation(pending, tables, id, generation), image_count(),
        tables.staged_images.size(),
        [&] { return pending.positions.image(pending.admitted_images, id, generation); });
}

std::int32_t retained_resource_store::resolve_glyph_reference(pending_admission& pending,
                                                              resource_tables& tables,
                                                              std::string_view id) const {
    return continue_over_admitted(
        resolve_glyph(pending, tables, id), glyph_count(), tables.staged_glyphs.size(),
        [&] { return pending.positions.glyph(pending.admitted_glyphs, id); });
}

std::int32_t retained_resource_store::resolve_clip_reference(pending_admission& pending,
                                                             resource_tables& tables,
                                                             std::string_view id) const {
    return continue_over_admitted(
        resolve_clip(pending, tables, id), clip_count(), tables.staged_clips.size(),
        [&] { return pending.positions.clip(pending.admitted_clips, id); });
}

std::int32_t retained_resource_store::resolve_transform_reference(pending_admission& pending,
                                                                  resource_tables& tables,
                                                                  std::string_view id) const {
    return continue_over_admitted(
        resolve_transform(pending, tables, id), transform_count(), tables.staged_transforms.size(),
        [&] { return pending.positions.transform(pending.admitted_transforms, id); });
}

}  // namespace tamo
