#include <string>
#include <utility>

#include "retained/records/record_validators.hpp"
#include "retained/store/column_read.hpp"
#include "retained/store/retained_resource_store.hpp"
#include "runtime/text_format.hpp"

namespace tamo {
namespace {

constexpr std::int64_t most_delta_entries = 65536;
constexpr std::int64_t most_entries = 65536;
constexpr std::int64_t most_commands = 65536;
constexpr std::int64_t most_payload_bytes = 67108864;
constexpr std::size_t most_owners_before_binding = 4095;
constexpr std::int64_t most_index_keys = 200704;

std::string owner_message(std::string_view pattern, const std::string& owner_id) {
    return format_message(pattern, {owner_id});
}

bool sequences_ascend(const std::vector<render_command>& commands) {
    for (std::size_t k = 1; k < commands.size(); ++k) {
        if (commands[k].sequence <= commands[k - 1].sequence) {
            return false;
        }
    }
    return true;
}

template <typename Record, typename Size>
std::int64_t sum_of(const std::vector<Record>& records, Size size) {
    std::int64_t total = 0;
    for (const Record& record : records) {
        total += size(record);
    }
    return total;
}

}  // namespace

pending_admission retained_resource_store::preflight(retained_fragment fragment, resource_set delta,
                                                     std::int32_t expected_revision,
                                                     binding_mode mode) const {
    resource_tables tables = make_resource_tables(1);
    return preflight_with_tables(std::move(fragment), std::move(delta), expected_revision, mode,
                                 tables);
}

pending_admission retained_resource_store::preflight_with_tables(retained_fragment fragment,
                                                                 resource_set delta,
                                                                 std::int32_t expected_revision,
                                                                 binding_mode mode,
                                                                 resource_tables& tables) const {
    pending_admission pending = make_pending_admission(fragment.id, fragment.generation);
    const auto refuse = [&pending](std::string message) {
        pending.message = std::move(message);
        return pending;
    };

    if (state_text != "open") {
        return refuse("retained resource store is not open");
    }
    if (expected_revision != current_revision) {
        return refuse(
            format_message("retained resource store stale revision: expected {0}, current {1}",
                           {std::to_string(expected_revision), std::to_string(current_revision)}));
    }
    if (delta.surface != surface_name) {
        return refuse("retained resource delta surface does not match store");
    }
    if (std::string message = validate_retained_fragment(fragment); !message.empty()) {
        return refuse(std::move(message));
    }

    const std::int32_t bound_row = find_owner_binding_counted(pending, fragment.id);
    if (std::string message = owner_refusal(fragment, bound_row, mode); !message.empty()) {
        return refuse(std::move(message));
    }
    if (delta.entry_count() > most_delta_entries) {
        return refuse("retained resource delta exceeds 65536 entries");
    }
    for (render_paint& paint : delta.paints) {
        if (!admit_paint(pending, tables, std::move(paint))) {
            return pending;
        }
    }
    for (render_image& image : delta.images) {
        if (!admit_image(pending, tables, std::move(image))) {
            return pending;
        }
    }
    for (render_glyph_alpha& glyph : delta.glyphs) {
        if (!admit_glyph(pending, tables, std::move(glyph))) {
            return pending;
        }
    }
    for (render_clip& clip : delta.clips) {
        if (!admit_clip(pending, tables, std::move(clip))) {
            return pending;
        }
    }
    for (render_transform& transform : delta.transforms) {
        if (!admit_transform(pending, tables, std::move(transform))) {
            return pending;
        }
    }

    if (std::string message = limit_refusal(pending, tables, fragment, bound_row, mode);
        !message.empty()) {
        return refuse(std::move(message));
    }
    pending.owner.first_sequence = fragment.commands.front().sequence;
    pending.owner.last_sequence = fragment.commands.back().sequence;
    if (std::string message = resolve_commands(pending, tables, std::move(fragment));
        !message.empty()) {
        return refuse(std::move(message));
    }
    pending.ok = true;
    pending.message = "ok";
    return pending;
}

std::string retained_resource_store::owner_refusal(const retained_fragment& fragment,
                                                   std::int32_t bound_row,
                                                   binding_mode mode) const {
    const std::vector<render_command>& commands = fragment.commands;
    const std::int32_t n = size_of(commands.size());
    const std::int32_t first = commands.front().sequence;
    const std::int32_t last = commands.back().sequence;
    if (mode != 0) {
        if (bound_row >= 0) {
            return (owner_message("retained resource owner {0} is already bound", fragment.id));
        }
        // A range is taken from its first and last commands; only ascending
        // sequences make it cover every command.
        if (!sequences_ascend(commands)) {
            return (owner_message(
                "retained resource owner {0} command sequences must strictly ascend", fragment.id));
        }
        for (std::size_t i = 0; i < owner_ids.size(); ++i) {
            if (first <= owner_last_sequences[i] && last >= owner_first_sequences[i]) {
                return (format_message("retained resource owner {0} command range overlaps {1}",
                                       {fragment.id, owner_ids[i]}));
            }
        }
    } else {
        if (!row_in(bound_row, owner_ids.size())) {
            return (owner_message("retained resource owner {0} requires an initial binding",
                                  fragment.id));
        }
        const std::size_t r = static_cast<std::size_t>(bound_row);
        if (fragment.generation <= owner_generations[r]) {
            return (owner_message(
                "retained resource owner {0} requires a newer fragment generation", fragment.id));
        }
        const std::string range_message = owner_message(
            "retained resource owner {0} must preserve its exact command range", fragment.id);
        if (n != owner_command_counts[r]) {
            return (range_message);
        }
        for (std::size_t k = 0; k < commands.size(); ++k) {
            const render_command& c = commands[k];
            const std::size_t j = static_cast<std::size_t>(owner_first_command_rows[r]) + k;
            if (c.sequence != command_sequences[j]) {
                return (range_message);
            }
            if (c.kind == "image" && command_kinds[j] == "image" &&
                c.resourceId == command_image_ids[j] &&
                c.imageGeneration < command_image_generations[j]) {
                return (format_message(
                    "retained resource owner {0} image {1} generation regressed from {2} to {3}",
                    {fragment.id, c.resourceId, std::to_string(command_image_generations[j]),
                     std::to_string(c.imageGeneration)}));
            }
        }
    }

    return "";
}

std::string retained_resource_store::limit_refusal(const pending_admission& pending,
                                                   const resource_tables& tables,
                                                   const retained_fragment& fragment,
                                                   std::int32_t bound_row,
                                                   binding_mode mode) const {
    const std::int32_t n = size_of(fragment.commands.size());
    const std::int64_t old_commands =
        bound_row >= 0 && row_in(bound_row, owner_command_counts.size())
            ? owner_command_counts[static_cast<std::size_t>(bound_row)]
            : 0;
    const std::int64_t commands_after = std::int64_t{command_total} - old_commands + n;
    const std::int64_t admitted_entries =
        static_cast<std::int64_t>(pending.admitted_paints.size() + pending.admitted_images.size() +
                                  pending.admitted_glyphs.size() + pending.admitted_clips.size() +
                                  pending.admitted_transforms.size());
    const std::int64_t staged_entries = static_cast<std::int64_t>(
        tables.staged_paints.size() + tables.staged_images.size() + tables.staged_glyphs.size() +
        tables.staged_clips.size() + tables.staged_transforms.size());
    const std::int64_t entries_after =
        std::int64_t{entry_count()} + staged_entries + admitted_entries;
    const std::int64_t payload_after =
        std::int64_t{payload_bytes} + tables.staged_payload_bytes +
        sum_of(pending.admitted_images, [](const render_image& i) { return i.sizeBytes; }) +
        sum_of(pending.admitted_glyphs, [](const render_glyph_alpha& g) { return g.byteCount; });
    if (entries_after > most_entries || commands_after > most_commands ||
        payload_after > most_payload_bytes) {
        return ("retained resource store exceeds 65536 entries/commands or 64 MiB");
    }
    if (mode != 0 && owner_ids.size() > most_owners_before_binding) {
        return ("retained resource store exceeds 4096 owners");
    }
    const std::int64_t new_keys = admitted_entries +
                                  static_cast<std::int64_t>(pending.admitted_images.size()) +
                                  (mode != 0 ? 1 + std::int64_t{n} : 0);
    if (std::int64_t{index_node_count()} + tables.staged_key_count + new_keys > most_index_keys) {
        return ("retained resource store exceeds 200704 index nodes");
    }

    return "";
}

std::string retained_resource_store::resolve_commands(pending_admission& pending,
                                                      resource_tables& tables,
                                                      retained_fragment fragment) const {
    owner_group& owner = pending.owner;
    for (render_command& c : fragment.commands) {
        std::int32_t paint_row = -1;
        if (!c.paintId.empty()) {
            paint_row = resolve_paint_reference(pending, tables, c.paintId);
            if (paint_row < 0) {
                return (format_message("retained resource owner {0} references missing paint {1}",
                                       {fragment.id, c.paintId}));
            }
        }
        std::int32_t image_row = -1;
        if (c.kind == "image") {
            image_row = resolve_image_reference(pending, tables, c.resourceId, c.imageGeneration);
            if (image_row < 0) {
                return (
                    format_message("retained resource owner {0} references missing image {1}@{2}",
                                   {fragment.id, c.resourceId, std::to_string(c.imageGeneration)}));
            }
        }
        std::int32_t glyph_row = -1;
        if (c.kind == "glyphAlpha" && !c.noGlyphReference) {
            glyph_row = resolve_glyph_reference(pending, tables, c.resourceId);
            if (glyph_row < 0) {
                return (format_message("retained resource owner {0} references missing glyph {1}",
                                       {fragment.id, c.resourceId}));
            }
        }
        std::int32_t clip_row = -1;
        if (!c.clipId.empty()) {
            clip_row = resolve_clip_reference(pending, tables, c.clipId);
            if (clip_row < 0) {
                return (format_message("retained resource owner {0} references missing clip {1}",
                                       {fragment.id, c.clipId}));
            }
        }
        std::int32_t transform_row = -1;
        if (!c.transformId.empty() && c.transformId != "identity") {
            transform_row = resolve_transform_reference(pending, tables, c.transformId);
            if (transform_row < 0) {
                return (
                    format_message("retained resource owner {0} references missing transform {1}",
                                   {fragment.id, c.transformId}));
            }
        }
        owner.commands.push_back(std::move(c));
        owner.paint_rows.push_back(paint_row);
        owner.image_rows.push_back(image_row);
        owner.glyph_rows.push_back(glyph_row);
        owner.clip_rows.push_back(clip_row);
        owner.transform_rows.push_back(transform_row);
    }
    return "";
}

}  // namespace tamo
