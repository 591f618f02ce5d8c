#include "retained/store/column_read.hpp"
#include "retained/store/retained_resource_store.hpp"
#include "retained/store/saturating_counter.hpp"
#include "retained/store/store_keys.hpp"

namespace tamo {

void retained_resource_store::stage_pending_admission(const pending_admission& pending,
                                                      resource_tables& tables) const {
    for (const render_paint& paint : pending.admitted_paints) {
        const std::int32_t row = paint_count() + size_of(tables.staged_paints.size());
        tables.staged_paints.push_back(paint);
        tables.staged_keys.put(paint_key(paint.id), row);
        saturating_add(tables.staged_key_count, 1);
    }
    for (const render_image& image : pending.admitted_images) {
        const std::int32_t row = image_count() + size_of(tables.staged_images.size());
        const std::string latest_key = image_latest_key(image.id);
        // Only a latest key that neither the tables nor the store know yet is new.
        const bool latest_known =
            tables.staged_keys.find(latest_key) >= 0 || index_find(latest_key) >= 0;
        tables.staged_images.push_back(image);
        tables.staged_keys.put(image_generation_key(image.id, image.generation), row);
        tables.staged_keys.put(latest_key, row);
        saturating_add(tables.staged_payload_bytes, image.sizeBytes);
        saturating_add(tables.staged_key_count, latest_known ? 1 : 2);
    }
    for (const render_glyph_alpha& glyph : pending.admitted_glyphs) {
        const std::int32_t row = glyph_count() + size_of(tables.staged_glyphs.size());
        tables.staged_glyphs.push_back(glyph);
        tables.staged_keys.put(glyph_key(glyph.id), row);
        saturating_add(tables.staged_key_count, 1);
        saturating_add(tables.staged_payload_bytes, glyph.byteCount);
    }
    for (const render_clip& clip : pending.admitted_clips) {
        const std::int32_t row = clip_count() + size_of(tables.staged_clips.size());
        tables.staged_clips.push_back(clip);
        tables.staged_keys.put(clip_key(clip.id), row);
        saturating_add(tables.staged_key_count, 1);
    }
    for (const render_transform& transform : pending.admitted_transforms) {
        const std::int32_t row = transform_count() + size_of(tables.staged_transforms.size());
        tables.staged_transforms.push_back(transform);
        tables.staged_keys.put(transform_key(transform.id), row);
        saturating_add(tables.staged_key_count, 1);
    }
}

}  // namespace tamo
