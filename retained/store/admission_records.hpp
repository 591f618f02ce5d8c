#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "retained/records/render_resources.hpp"
#include "retained/records/retained_fragment.hpp"
#include "retained/store/admitted_positions.hpp"
#include "retained/store/string_index_map.hpp"

namespace tamo {

// Nonzero binds a new owner; zero updates a bound one.
using binding_mode = std::uint8_t;

// The owner's part of an admission: its fragment data and, per command, the
// combined rows its references resolved to (-1 for none).
struct owner_group {
    std::string owner_id;
    std::int32_t generation = 0;
    std::int32_t first_sequence = -1;
    std::int32_t last_sequence = -1;
    std::vector<render_command> commands;
    std::vector<std::int32_t> paint_rows;
    std::vector<std::int32_t> image_rows;
    std::vector<std::int32_t> glyph_rows;
    std::vector<std::int32_t> clip_rows;
    std::vector<std::int32_t> transform_rows;
};

// Outcome of one preflight: verdict, work counters, the new resources and the
// owner's resolved commands. Only an accepted one may be written.
struct pending_admission {
    bool ok = false;
    std::string message;
    std::int32_t validations = 0;
    std::int32_t explicit_comparisons = 0;
    std::int32_t payload_comparisons = 0;
    std::int32_t index_probes = 0;
    std::vector<render_paint> admitted_paints;
    std::vector<render_image> admitted_images;
    std::vector<render_glyph_alpha> admitted_glyphs;
    std::vector<render_clip> admitted_clips;
    std::vector<render_transform> admitted_transforms;
    owner_group owner;
    // Search index over the admitted lists, kept by the preflight's lookups.
    admitted_positions positions;
};

// Scratch state of one operation: resources staged by earlier items of a
// candidate batch, visible to later items before anything is committed.
struct resource_tables {
    string_index_map staged_keys{1};
    string_index_map batch_owner_ids{1};
    string_index_map batch_sequences{1};
    std::vector<render_paint> staged_paints;
    std::vector<render_image> staged_images;
    std::vector<render_glyph_alpha> staged_glyphs;
    std::vector<render_clip> staged_clips;
    std::vector<render_transform> staged_transforms;
    std::int32_t staged_payload_bytes = 0;
    std::int32_t staged_key_count = 0;
    std::int32_t scratch_counter_a = 0;
    std::int32_t scratch_counter_b = 0;

    // Chain entries compared by lookups in the three maps together.
    std::int32_t scratch_probe_total() const;
};

pending_admission make_pending_admission(std::string owner_id, std::int32_t generation);

resource_tables make_resource_tables(std::int32_t bucket_count);

}  // namespace tamo
