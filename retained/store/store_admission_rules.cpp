#include <algorithm>
#include <string>
#include <utility>

#include "retained/records/record_validators.hpp"
#include "retained/store/retained_resource_store.hpp"
#include "retained/store/saturating_counter.hpp"
#include "runtime/text_format.hpp"

namespace tamo {
namespace {

bool within(std::int32_t value, std::int32_t low, std::int32_t high) {
    return value >= low && value <= high;
}

// A record whose identity is stored, staged or already admitted must equal
// that record; a new identity must pass its kind's rules and is admitted.
template <typename Record, typename Present, typename Collision, typename Rules>
bool admit_record(pending_admission& pending, std::vector<Record>& admitted, Record& record,
                  std::int32_t combined_row, Present present_at, std::int32_t admitted_position,
                  bool compares_payload, Collision collision_message, Rules rules) {
    if (combined_row >= 0 || admitted_position >= 0) {
        saturating_add(pending.explicit_comparisons, 1);
        if (compares_payload) {
            saturating_add(pending.payload_comparisons, 1);
        }
        const bool equal = combined_row >= 0
                               ? present_at(combined_row) == record
                               : admitted[static_cast<std::size_t>(admitted_position)] == record;
        if (!equal) {
            pending.message = collision_message(record);
        }
        return equal;
    }
    std::string message = rules(record);
    if (!message.empty()) {
        pending.message = std::move(message);
        return false;
    }
    admitted.push_back(std::move(record));
    return true;
}

std::string paint_rules(pending_admission& pending, const render_paint& paint) {
    std::string message;
    if (paint.id.empty()) {
        message = "render paint requires a nonempty id";
    } else if (!within(paint.red, 0, 255) || !within(paint.green, 0, 255) ||
               !within(paint.blue, 0, 255) || !within(paint.alpha, 0, 255)) {
        message = format_message("render paint {0} requires RGBA channels from 0 through 255",
                                 {paint.id});
    } else if (paint.radius < 0 || paint.borderWidth < 0) {
        message = format_message("render paint {0} requires nonnegative radius and border width",
                                 {paint.id});
    } else if (!within(paint.opacity, 0, 100)) {
        message =
            format_message("render paint {0} requires opacity from 0 through 100", {paint.id});
    }
    saturating_add(pending.validations, 1);
    if (message.empty() && paint.id.size() > 256) {
        message = "retained paint id exceeds 256 bytes";
    }
    return message;
}

std::string glyph_rules(const render_glyph_alpha& glyph) {
    const std::string_view prefix = "sha256:";
    const std::string_view id = glyph.id;
    if (!starts_with(id, prefix) || id.size() != 71 || !is_hex_text(id.substr(prefix.size()))) {
        return "render glyph alpha resource requires a sha256 content identity";
    }
    if (glyph.source.empty()) {
        return format_message("render glyph alpha resource {0} requires a source", {glyph.id});
    }
    if (glyph.format != "a8-unorm-hex") {
        return format_message("render glyph alpha resource {0} format must be a8-unorm-hex",
                              {glyph.id});
    }
    if (!within(glyph.width, 1, 4096) || !within(glyph.height, 1, 4096)) {
        return format_message("render glyph alpha resource {0} dimensions must be within 1..4096",
                              {glyph.id});
    }
    if (glyph.rowStride != glyph.width || glyph.byteCount != glyph.width * glyph.height ||
        !within(glyph.byteCount, 1, 524288)) {
        return format_message(
            "render glyph alpha resource {0} requires tightly packed rows within 512 KiB",
            {glyph.id});
    }
    if (glyph.payload.size() != 2 * static_cast<std::size_t>(glyph.byteCount) ||
        !is_hex_text(glyph.payload)) {
        return format_message(
            "render glyph alpha resource {0} payload must be exact A8 hexadecimal data",
            {glyph.id});
    }
    return "";
}

std::string clip_rules(const render_clip& clip) {
    if (clip.id.empty() || clip.id.size() > 256) {
        return "retained resource clip requires an id of 1..256 bytes";
    }
    if (clip.width < 1 || clip.height < 1 || clip.radius < 0) {
        return format_message(
            "retained resource clip {0} requires positive bounds and a nonnegative radius",
            {clip.id});
    }
    return "";
}

std::string transform_rules(const render_transform& transform) {
    if (transform.id.empty() || transform.id.size() > 64) {
        return "render transform requires a nonempty id of at most 64 bytes";
    }
    if (transform.id == "identity") {
        return "render transform id identity is reserved for the built-in identity transform";
    }
    if (!within(transform.translateX, -1000000, 1000000) ||
        !within(transform.translateY, -1000000, 1000000)) {
        return format_message("render transform {0} translation must be within -1000000..1000000",
                              {transform.id});
    }
    if (!within(transform.scaleXPercent, 1, 10000) || !within(transform.scaleYPercent, 1, 10000)) {
        return format_message("render transform {0} scale must be within 1..10000 percent",
                              {transform.id});
    }
    if (!within(transform.rotationMillidegrees, -360000, 360000)) {
        return format_message(
            "render transform {0} rotation must be within -360000..360000 millidegrees",
            {transform.id});
    }
    return "";
}

// Rules whose run counts as one validation, passed or failed.
template <typename Record>
auto counted(pending_admission& pending, std::string (*rules)(const Record&)) {
    return [&pending, rules](const Record& record) {
        std::string message = rules(record);
        saturating_add(pending.validations, 1);
        return message;
    };
}

}  // namespace

bool retained_resource_store::admit_paint(pending_admission& pending, resource_tables& tables,
                                          render_paint paint) const {
    return admit_record(
        pending, pending.admitted_paints, paint, resolve_paint(pending, tables, paint.id),
        [&](std::int32_t row) { return paint_at(tables, row); },
        pending.positions.paint(pending.admitted_paints, paint.id), false,
        [](const render_paint& p) {
            return format_message("retained paint identity collision for {0}", {p.id});
        },
        [&](const render_paint& p) { return paint_rules(pending, p); });
}

bool retained_resource_store::admit_image(pending_admission& pending, resource_tables& tables,
                                          render_image image) const {
    const auto rules = [&](const render_image& i) {
        // The newest generation known for the id, stored, staged or admitted.
        const std::int32_t newest =
            std::max(latest_image_generation(pending, tables, i.id),
                     pending.positions.newest_image_generation(pending.admitted_images, i.id));
        if (newest > 0 && newest > i.generation) {
            return format_message("retained image {0} generation regressed from {1} to {2}",
                                  {i.id, std::to_string(newest), std::to_string(i.generation)});
        }
        saturating_add(pending.validations, 1);
        return validate_render_image(i);
    };
    return admit_record(
        pending, pending.admitted_images, image,
        resolve_image_generation(pending, tables, image.id, image.generation),
        [&](std::int32_t row) { return image_at(tables, row); },
        pending.positions.image(pending.admitted_images, image.id, image.generation), true,
        [](const render_image& i) {
            return format_message("retained image identity collision for {0}@{1}",
                                  {i.id, std::to_string(i.generation)});
        },
        rules);
}

bool retained_resource_store::admit_glyph(pending_admission& pending, resource_tables& tables,
                                          render_glyph_alpha glyph) const {
    return admit_record(
        pending, pending.admitted_glyphs, glyph, resolve_glyph(pending, tables, glyph.id),
        [&](std::int32_t row) { return glyph_at(tables, row); },
        pending.positions.glyph(pending.admitted_glyphs, glyph.id), true,
        [](const render_glyph_alpha& g) {
            return format_message("retained glyph identity collision for {0}", {g.id});
        },
        counted(pending, &glyph_rules));
}

bool retained_resource_store::admit_clip(pending_admission& pending, resource_tables& tables,
                                         render_clip clip) const {
    return admit_record(
        pending, pending.admitted_clips, clip, resolve_clip(pending, tables, clip.id),
        [&](std::int32_t row) { return clip_at(tables, row); },
        pending.positions.clip(pending.admitted_clips, clip.id), false,
        [](const render_clip& c) {
            return format_message("retained clip identity collision for {0}", {c.id});
        },
        counted(pending, &clip_rules));
}

bool retained_resource_store::admit_transform(pending_admission& pending, resource_tables& tables,
                                              render_transform transform) const {
    return admit_record(
        pending, pending.admitted_transforms, transform,
        resolve_transform(pending, tables, transform.id),
        [&](std::int32_t row) { return transform_at(tables, row); },
        pending.positions.transform(pending.admitted_transforms, transform.id), false,
        [](const render_transform& t) {
            return format_message("retained transform identity collision for {0}", {t.id});
        },
        counted(pending, &transform_rules));
}

}  // namespace tamo
