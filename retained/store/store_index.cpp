#include "retained/store/column_read.hpp"
#include "retained/store/retained_resource_store.hpp"
#include "retained/store/store_keys.hpp"

namespace tamo {
namespace {

// A staged key answers only when it names a staged record; anything else a
// caller may have put into its tables counts as not staged.
std::int32_t staged_row(resource_tables& tables, std::string_view key, std::int32_t stored,
                        std::size_t staged) {
    const std::int32_t row = tables.staged_keys.find(key);
    return row >= stored && row_in(row - stored, staged) ? row : -1;
}

// Staged row of the key, else its stored row counted into the admission.
std::int32_t resolve_key(const retained_resource_store& store, pending_admission& pending,
                         resource_tables& tables, std::string_view key, std::int32_t stored,
                         std::size_t staged) {
    const std::int32_t row = staged_row(tables, key, stored, staged);
    return row >= 0 ? row : store.index_find_counted(pending, key);
}

}  // namespace

void retained_resource_store::index_put(std::string_view key, std::int32_t value) {
    index.put_counted(key, value);
}

std::int32_t retained_resource_store::index_find(std::string_view key) const {
    return index.find_uncounted(key);
}

std::int32_t retained_resource_store::index_find_counted(pending_admission& pending,
                                                         std::string_view key) const {
    return index.find_counting_into(key, pending.index_probes);
}

std::int32_t retained_resource_store::find_owner_binding(std::string_view owner_id) const {
    return index_find(binding_key(owner_id));
}

std::int32_t retained_resource_store::find_owner_binding_counted(pending_admission& pending,
                                                                 std::string_view owner_id) const {
    return index_find_counted(pending, binding_key(owner_id));
}

std::int32_t retained_resource_store::resolve_paint(pending_admission& pending,
                                                    resource_tables& tables,
                                                    std::string_view id) const {
    return resolve_key(*this, pending, tables, paint_key(id), paint_count(),
                       tables.staged_paints.size());
}

std::int32_t retained_resource_store::resolve_image_generation(pending_admission& pending,
                                                               resource_tables& tables,
                                                               std::string_view id,
                                                               std::int32_t generation) const {
    return resolve_key(*this, pending, tables, image_generation_key(id, generation), image_count(),
                       tables.staged_images.size());
}

std::int32_t retained_resource_store::latest_image_generation(pending_admission& pending,
                                                              resource_tables& tables,
                                                              std::string_view id) const {
    const std::string key = image_latest_key(id);
    const std::int32_t stored = image_count();
    const std::int32_t row = staged_row(tables, key, stored, tables.staged_images.size());
    if (row >= 0) {
        return tables.staged_images[static_cast<std::size_t>(row - stored)].generation;
    }
    const std::int32_t stored_row = index_find_counted(pending, key);
    return row_in(stored_row, image_generations.size())
               ? image_generations[static_cast<std::size_t>(stored_row)]
               : 0;
}

std::int32_t retained_resource_store::resolve_glyph(pending_admission& pending,
                                                    resource_tables& tables,
                                                    std::string_view id) const {
    return resolve_key(*this, pending, tables, glyph_key(id), glyph_count(),
                       tables.staged_glyphs.size());
}

std::int32_t retained_resource_store::resolve_clip(pending_admission& pending,
                                                   resource_tables& tables,
                                                   std::string_view id) const {
    return resolve_key(*this, pending, tables, clip_key(id), clip_count(),
                       tables.staged_clips.size());
}

std::int32_t retained_resource_store::resolve_transform(pending_admission& pending,
                                                        resource_tables& tables,
                                                        std::string_view id) const {
    return resolve_key(*this, pending, tables, transform_key(id), transform_count(),
                       tables.staged_transforms.size());
}

}  // namespace tamo
