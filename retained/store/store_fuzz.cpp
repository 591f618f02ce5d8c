// Fuzzes sequences of store operations (bind, update, validate, prepare,
// commit prepared, candidate batches, close). After every step: a refused
// operation left the summary and every counter as they were, the revision
// moved by exactly one per successful commit and never fell, and every
// owner look-up agrees with what was admitted.
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "retained/store/retained_resource_store.hpp"
#include "retained/store/store_test_support.hpp"
#include "runtime/fuzz_input.hpp"

namespace {

using tamo::fuzz_input;
using tamo::fuzz_require;
namespace sample = tamo::test;

const char* const owner_ids[] = {"o1", "o2", "o3", "o4"};
const char* const resource_ids[] = {"r1", "r2"};

std::string owner_id(fuzz_input& input) {
    return owner_ids[input.number(4)];
}

std::string resource_id(fuzz_input& input) {
    return resource_ids[input.number(2)];
}

// Resources that mostly repeat each other, so admissions meet equal,
// conflicting and new records.
tamo::resource_set make_delta(fuzz_input& input) {
    tamo::resource_set delta = sample::delta();
    if (input.number(16) == 0) {
        delta.surface = "other";
    }
    const std::uint32_t kinds = input.number(64);
    if (kinds & 1) {
        tamo::render_paint paint = sample::paint(resource_id(input));
        paint.red = static_cast<std::int32_t>(input.number(3)) * 100 - 10;
        delta.paints.push_back(paint);
    }
    if (kinds & 2) {
        delta.images.push_back(input.number(3) == 0
                                   ? sample::placeholder_image(resource_id(input), input.number(3))
                                   : sample::image(resource_id(input), input.number(3)));
    }
    if (kinds & 4) {
        delta.glyphs.push_back(sample::glyph(input.number(2) == 0 ? 'a' : 'b'));
    }
    if (kinds & 8) {
        tamo::render_clip clip = sample::clip(resource_id(input));
        clip.radius = static_cast<std::int32_t>(input.number(3));
        delta.clips.push_back(clip);
    }
    if (kinds & 16) {
        tamo::render_transform transform = sample::transform(resource_id(input));
        transform.scaleXPercent = static_cast<std::int32_t>(input.number(3)) * 100;
        delta.transforms.push_back(transform);
    }
    if (kinds & 32) {
        delta.paints.push_back(sample::paint(resource_id(input)));
    }
    return delta;
}

struct bound_owner {
    std::int32_t generation;
    std::vector<std::int32_t> sequences;
};

// What the store must answer for each owner, kept beside it.
using owner_model = std::map<std::string, bound_owner>;

std::vector<std::int32_t> sequences_of(const tamo::retained_fragment& fragment) {
    std::vector<std::int32_t> sequences;
    for (const auto& command : fragment.commands) {
        sequences.push_back(command.sequence);
    }
    return sequences;
}

// An update keeps the owner's commands, so a bound owner's sequences are
// taken most of the time.
tamo::retained_fragment make_fragment(fuzz_input& input, const owner_model& model,
                                      const std::string& id) {
    std::vector<std::int32_t> sequences;
    const auto bound = model.find(id);
    if (bound != model.end() && input.number(4) != 0) {
        sequences = bound->second.sequences;
    } else {
        std::int32_t sequence = static_cast<std::int32_t>(input.number(40));
        const std::uint32_t count = 1 + input.number(4);
        for (std::uint32_t i = 0; i < count; ++i) {
            sequences.push_back(sequence);
            // Mostly ascending; sometimes equal or falling.
            sequence += static_cast<std::int32_t>(input.number(8)) - 1;
        }
    }
    const std::int32_t generation =
        input.number(8) == 0 ? 0 : 1 + static_cast<std::int32_t>(input.number(3));
    tamo::retained_fragment fragment = sample::fragment(id, generation, sequences);
    for (auto& command : fragment.commands) {
        switch (input.number(8)) {
            case 0:
                command.kind = "image";
                command.resourceId = resource_id(input);
                command.imageGeneration = static_cast<std::int32_t>(input.number(3));
                break;
            case 1:
                command.paintId = resource_id(input);
                break;
            case 2:
                command.clipId = resource_id(input);
                command.transformId = input.number(2) == 0 ? "identity" : resource_id(input);
                break;
            case 3:
                command.owner = owner_id(input);
                break;
            default:
                break;
        }
    }
    if (input.number(16) == 0) {
        fragment.layoutBounds.width = -1;
    }
    return fragment;
}

tamo::retained_fragment make_fragment(fuzz_input& input, const owner_model& model) {
    return make_fragment(input, model, owner_id(input));
}

// Everything a refused operation must leave as it was.
struct store_snapshot {
    std::string summary;
    std::vector<std::int32_t> counters;
    bool operator==(const store_snapshot&) const = default;
};

store_snapshot snapshot(const tamo::retained_resource_store& store) {
    return {store.summary(),
            {store.revision(), store.owner_count(), store.command_count(), store.payload_total(),
             store.validation_count(), store.explicit_comparison_count(),
             store.payload_comparison_count(), store.admission_count(), store.index_node_count(),
             store.index_probe_count(), store.paint_count(), store.image_count(),
             store.glyph_count(), store.clip_count(), store.transform_count()}};
}

void check_lookups(const tamo::retained_resource_store& store, const owner_model& model) {
    for (const char* id : owner_ids) {
        const std::int32_t row = store.find_owner_binding(id);
        const auto found = model.find(id);
        fuzz_require((row >= 0) == (found != model.end()));
        if (row >= 0) {
            fuzz_require(store.owner_generation(row) == found->second.generation);
        }
    }
    fuzz_require(store.owner_count() == static_cast<std::int32_t>(model.size()));
}

struct prepared_slot {
    std::shared_ptr<tamo::prepared_admission> admission;
    tamo::retained_fragment fragment;
    tamo::resource_set delta;
    bool binding;
};

struct prepared_batch {
    std::shared_ptr<tamo::prepared_candidate_batch> batch;
    std::vector<tamo::retained_fragment> fragments;
    std::vector<tamo::resource_set> deltas;
};

std::int32_t expected_revision(fuzz_input& input, const tamo::retained_resource_store& store) {
    return store.revision() +
           (input.number(8) == 0 ? static_cast<std::int32_t>(input.number(3)) - 1 : 0);
}

class store_driver {
  public:
    explicit store_driver(fuzz_input& input) : input_(input), store_(sample::surface_name) {}

    void step() {
        const store_snapshot before = snapshot(store_);
        switch (input_.number(9)) {
            case 0:
            case 1: {
                const bool binding = input_.number(2) == 0;
                const auto fragment = make_fragment(input_, model_);
                const auto delta = make_delta(input_);
                const std::int32_t revision = expected_revision(input_, store_);
                const auto result = binding ? store_.bind_owner(fragment, delta, revision)
                                            : store_.update_owner(fragment, delta, revision);
                check_commit(result, before, fragment);
                break;
            }
            case 2: {
                const auto fragment = make_fragment(input_, model_);
                const auto delta = make_delta(input_);
                const std::int32_t revision = expected_revision(input_, store_);
                const auto result = input_.number(2) == 0
                                        ? store_.validate_bind_owner(fragment, delta, revision)
                                        : store_.validate_update_owner(fragment, delta, revision);
                check_unchanged(result, before);
                break;
            }
            case 3: {
                prepared_slot slot{nullptr, make_fragment(input_, model_), make_delta(input_),
                                   input_.number(2) == 0};
                const std::int32_t revision = expected_revision(input_, store_);
                slot.admission =
                    slot.binding ? store_.prepare_bind_owner(slot.fragment, slot.delta, revision)
                                 : store_.prepare_update_owner(slot.fragment, slot.delta, revision);
                fuzz_require(slot.admission != nullptr);
                fuzz_require(snapshot(store_) == before);
                prepared_.push_back(slot);
                break;
            }
            case 4:
                commit_prepared(before);
                break;
            case 5: {
                prepared_batch batch;
                // Mostly distinct owners in order, so that batches can pass.
                const std::uint32_t items = input_.number(5);
                const std::uint32_t first = input_.number(4);
                for (std::uint32_t i = 0; i < items; ++i) {
                    const std::string id =
                        input_.number(8) == 0 ? owner_id(input_) : owner_ids[(first + i) % 4];
                    batch.fragments.push_back(make_fragment(input_, model_, id));
                    batch.deltas.push_back(make_delta(input_));
                }
                batch.batch = store_.prepare_candidate_batch(batch.fragments, batch.deltas,
                                                             expected_revision(input_, store_));
                fuzz_require(batch.batch != nullptr);
                fuzz_require(snapshot(store_) == before);
                batches_.push_back(batch);
                break;
            }
            case 6:
                commit_batch(before);
                break;
            case 7:
                if (input_.number(8) == 0) {
                    const bool was_closed = store_.state() == "closed";
                    fuzz_require(store_.close());
                    fuzz_require(store_.revision() >= before.counters[0]);
                    if (was_closed) {
                        fuzz_require(snapshot(store_) == before);
                    }
                    model_.clear();
                }
                break;
            default: {
                // A store that is not ours: its prepared objects are foreign here.
                tamo::retained_resource_store other(sample::surface_name);
                const auto fragment = make_fragment(input_, {});
                const auto delta = make_delta(input_);
                const auto foreign = other.prepare_bind_owner(fragment, delta, 0);
                const auto result = store_.commit_prepared_binding(foreign, fragment, delta);
                fuzz_require(!result.ok);
                check_unchanged(result, before);
                break;
            }
        }
        fuzz_require(store_.revision() >= before.counters[0]);
        check_lookups(store_, model_);
    }

  private:
    void check_unchanged(const tamo::operation_result& result, const store_snapshot& before) {
        fuzz_require(snapshot(store_) == before);
        fuzz_require(result.revision == store_.revision());
        if (!result.ok) {
            fuzz_require(result.validations == 0 && result.explicit_comparisons == 0 &&
                         result.payload_comparisons == 0 && !result.message.empty() &&
                         result.message != "ok");
        } else {
            fuzz_require(result.message == "ok");
        }
    }

    void check_commit(const tamo::operation_result& result, const store_snapshot& before,
                      const tamo::retained_fragment& fragment) {
        if (!result.ok) {
            check_unchanged(result, before);
            return;
        }
        fuzz_require(result.message == "ok");
        fuzz_require(store_.revision() == before.counters[0] + 1);
        fuzz_require(result.revision == store_.revision());
        model_[fragment.id] = {fragment.generation, sequences_of(fragment)};
    }

    void commit_prepared(const store_snapshot& before) {
        if (prepared_.empty()) {
            return;
        }
        prepared_slot& slot =
            prepared_[input_.number(static_cast<std::uint32_t>(prepared_.size()))];
        tamo::retained_fragment fragment = slot.fragment;
        if (input_.number(8) == 0) {
            fragment.source += "changed";
        }
        const bool as_binding = input_.number(8) == 0 ? !slot.binding : slot.binding;
        const auto handle = input_.number(16) == 0 ? nullptr : slot.admission;
        const auto result = as_binding
                                ? store_.commit_prepared_binding(handle, fragment, slot.delta)
                                : store_.commit_prepared_update(handle, fragment, slot.delta);
        check_commit(result, before, fragment);
    }

    void commit_batch(const store_snapshot& before) {
        if (batches_.empty()) {
            return;
        }
        prepared_batch& batch =
            batches_[input_.number(static_cast<std::uint32_t>(batches_.size()))];
        const auto result =
            store_.commit_prepared_candidate_batch(batch.batch, batch.fragments, batch.deltas);
        if (!result.ok) {
            check_unchanged(result, before);
            return;
        }
        fuzz_require(store_.revision() == before.counters[0] + 1);
        for (const auto& fragment : batch.fragments) {
            model_[fragment.id] = {fragment.generation, sequences_of(fragment)};
        }
    }

    fuzz_input& input_;
    tamo::retained_resource_store store_;
    owner_model model_;
    std::vector<prepared_slot> prepared_;
    std::vector<prepared_batch> batches_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_input input(data, size);
    store_driver driver(input);
    while (!input.empty()) {
        driver.step();
    }
    return 0;
}
