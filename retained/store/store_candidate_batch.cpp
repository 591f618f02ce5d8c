#include <memory>
#include <utility>

#include "retained/store/column_read.hpp"
#include "retained/store/retained_resource_store.hpp"
#include "retained/store/saturating_counter.hpp"
#include "retained/store/store_keys.hpp"
#include "runtime/text_format.hpp"

namespace tamo {
namespace {

constexpr std::size_t most_items = 4096;
constexpr std::int64_t most_batch_commands = 65536;
constexpr std::int64_t most_batch_entries = 65536;
constexpr binding_mode update = 0;

// 64 buckets doubled up to 8192 while below the batch's keys n + C + 2N.
std::int32_t batch_bucket_count(std::int64_t wanted) {
    std::int32_t buckets = 64;
    while (buckets < 8192 && buckets < wanted) {
        buckets *= 2;
    }
    return buckets;
}

// The first owner or command sequence seen twice, or the empty text.
std::string duplicate_refusal(const std::vector<retained_fragment>& fragments,
                              resource_tables& tables) {
    for (std::size_t j = 0; j < fragments.size(); ++j) {
        const std::int32_t item = size_of(j);
        const retained_fragment& fragment = fragments[j];
        if (tables.batch_owner_ids.find(fragment.id) >= 0) {
            return format_message("retained resource candidate batch duplicates owner {0}",
                                  {fragment.id});
        }
        tables.batch_owner_ids.put(fragment.id, item);
        for (const render_command& command : fragment.commands) {
            const std::string key = command_sequence_key(command.sequence);
            if (tables.batch_sequences.find(key) >= 0) {
                return format_message(
                    "retained resource candidate batch duplicates command sequence {0}",
                    {std::to_string(command.sequence)});
            }
            tables.batch_sequences.put(key, item);
        }
    }
    return "";
}

}  // namespace

std::shared_ptr<prepared_candidate_batch> retained_resource_store::prepare_candidate_batch(
    std::vector<retained_fragment> fragments, std::vector<resource_set> deltas,
    std::int32_t expected_revision) const {
    resource_tables tables = make_resource_tables(1);
    std::vector<std::shared_ptr<prepared_admission>> items;
    const auto finish = [&](bool accepted, std::string message) {
        return std::make_shared<prepared_candidate_batch>(
            identity, expected_revision, accepted, std::move(message), std::move(items),
            tables.scratch_probe_total(), tables.scratch_counter_a, tables.scratch_counter_b);
    };

    if (state_text != "open") {
        return finish(false, "retained resource store is not open");
    }
    if (expected_revision != current_revision) {
        return finish(
            false,
            format_message("retained resource store stale revision: expected {0}, current {1}",
                           {std::to_string(expected_revision), std::to_string(current_revision)}));
    }
    const std::size_t n = fragments.size();
    if (n < 1 || n > most_items || deltas.size() != n) {
        return finish(false,
                      "retained resource candidate batch requires 1..4096 parallel fragment/delta "
                      "items");
    }
    std::int64_t commands = 0;
    std::int64_t entries = 0;
    for (std::size_t k = 0; k < n; ++k) {
        commands += static_cast<std::int64_t>(fragments[k].commands.size());
        entries += deltas[k].entry_count();
    }
    if (commands > most_batch_commands || entries > most_batch_entries) {
        return finish(false,
                      "retained resource candidate batch exceeds 65536 commands or delta entries");
    }
    tables = make_resource_tables(
        batch_bucket_count(static_cast<std::int64_t>(n) + commands + 2 * entries));
    if (std::string message = duplicate_refusal(fragments, tables); !message.empty()) {
        return finish(false, std::move(message));
    }
    for (std::size_t k = 0; k < n; ++k) {
        const pending_admission pending =
            preflight_with_tables(fragments[k], deltas[k], expected_revision, update, tables);
        if (!pending.ok) {
            return finish(false, format_message("retained resource candidate batch item {0}: {1}",
                                                {std::to_string(k), pending.message}));
        }
        items.push_back(std::make_shared<prepared_admission>(identity, pending, fragments[k],
                                                             deltas[k], expected_revision, update));
        stage_pending_admission(pending, tables);
    }
    return finish(true, "ok");
}

operation_result retained_resource_store::commit_prepared_candidate_batch(
    const std::shared_ptr<prepared_candidate_batch>& batch,
    std::vector<retained_fragment> fragments, std::vector<resource_set> deltas) {
    const auto refuse = [this](std::string message) {
        return make_operation_result(false, current_revision, 0, 0, 0, std::move(message));
    };
    // An empty handle belongs to no store.
    if (!batch || !batch->belongs_to(identity)) {
        return refuse("retained resource prepared candidate batch belongs to another store");
    }
    if (batch->consumed()) {
        return refuse("retained resource prepared candidate batch was already consumed");
    }
    if (!batch->accepted()) {
        return refuse(batch->message());
    }
    if (batch->revision() != current_revision) {
        return refuse(format_message(
            "retained resource prepared candidate batch is stale: expected {0}, current {1}",
            {std::to_string(batch->revision()), std::to_string(current_revision)}));
    }
    if (!batch->inputs_unchanged(fragments, deltas)) {
        return refuse(
            "retained resource prepared candidate batch inputs were changed or reordered");
    }

    // Everything the batch writes is worked out and room made for it before
    // the first write, so the commit changes nothing or everything.
    std::vector<pending_admission> records;
    records.reserve(fragments.size());
    for (std::size_t i = 0; i < fragments.size(); ++i) {
        records.push_back(batch->item_record(size_of(i), fragments[i], deltas[i]));
    }
    std::vector<const pending_admission*> planned;
    for (const pending_admission& record : records) {
        planned.push_back(&record);
    }
    reserve_for_admissions(planned, update);

    operation_result result = make_operation_result(true, 0, 0, 0, 0, "ok");
    std::int32_t probes = 0;
    for (pending_admission& record : records) {
        saturating_add(result.validations, record.validations);
        saturating_add(result.explicit_comparisons, record.explicit_comparisons);
        saturating_add(result.payload_comparisons, record.payload_comparisons);
        saturating_add(probes, record.index_probes);
        apply_pending_admission(std::move(record), update);
    }
    saturating_add(current_revision, 1);
    saturating_add(validations, result.validations);
    saturating_add(explicit_comparisons, result.explicit_comparisons);
    saturating_add(payload_comparisons, result.payload_comparisons);
    index.add_probes(probes);
    saturating_add(admissions, 1);
    batch->mark_consumed();
    result.revision = current_revision;
    return result;
}

}  // namespace tamo
