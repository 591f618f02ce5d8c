#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

std::vector<std::int32_t> sequences(std::int32_t first, std::int32_t count) {
    std::vector<std::int32_t> list;
    for (std::int32_t i = 0; i < count; ++i) {
        list.push_back(first + i);
    }
    return list;
}

std::string owner_name(std::int32_t owner) {
    return "owner-" + std::to_string(owner);
}

// One binding that brings the given number of new paints.
void admission_of_new_paints(benchmark::State& state) {
    resource_set delta = test::delta();
    for (std::int64_t i = 0; i < state.range(0); ++i) {
        delta.paints.push_back(test::paint("paint-" + std::to_string(i)));
    }
    const retained_fragment fragment = test::fragment("a", 1, {1});
    for (auto _ : state) {
        retained_resource_store store(test::surface_name);
        const operation_result result = store.bind_owner(fragment, delta, 0);
        benchmark::DoNotOptimize(result.ok);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// 4096 owners of 16 commands, bound one after another.
void owners_bound_one_by_one(benchmark::State& state) {
    std::vector<retained_fragment> fragments;
    for (std::int32_t owner = 0; owner < 4096; ++owner) {
        fragments.push_back(test::fragment(owner_name(owner), 1, sequences(owner * 16, 16)));
    }
    const resource_set delta = test::delta();
    for (auto _ : state) {
        retained_resource_store store(test::surface_name);
        for (std::int32_t owner = 0; owner < 4096; ++owner) {
            benchmark::DoNotOptimize(
                store.bind_owner(fragments[static_cast<std::size_t>(owner)], delta, owner).ok);
        }
        state.counters["index_probes"] = store.index_probe_count();
    }
}

// An update of one owner in a store whose index holds all 200704 keys it may.
void update_at_full_index(benchmark::State& state) {
    retained_resource_store store(test::surface_name);
    resource_set images = test::delta();
    for (std::int32_t i = 0; i < 65536; ++i) {
        images.images.push_back(test::placeholder_image("image-" + std::to_string(i), 1));
    }
    std::int32_t revision = 0;
    store.bind_owner(test::fragment(owner_name(0), 1, sequences(0, 16)), images, revision++);
    for (std::int32_t owner = 1; owner < 4096; ++owner) {
        store.bind_owner(test::fragment(owner_name(owner), 1, sequences(owner * 16, 16)),
                         test::delta(), revision++);
    }
    state.counters["index_keys"] = store.index_node_count();
    std::int32_t generation = 2;
    for (auto _ : state) {
        const operation_result result = store.update_owner(
            test::fragment(owner_name(2048), generation++, sequences(2048 * 16, 16)), test::delta(),
            revision++);
        benchmark::DoNotOptimize(result.ok);
    }
}

BENCHMARK(admission_of_new_paints)->Arg(8192)->Arg(65536)->Unit(benchmark::kMillisecond);
BENCHMARK(owners_bound_one_by_one)->Unit(benchmark::kMillisecond);
BENCHMARK(update_at_full_index)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tamo

BENCHMARK_MAIN();
