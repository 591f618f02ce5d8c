#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

constexpr std::int32_t owners = 4096;

std::string owner_name(std::int32_t owner) {
    return "owner-" + std::to_string(owner);
}

// Preparing and committing a batch of single-command updates on a store of
// 4096 owners, for batch sizes given by the argument.
void prepare_and_commit_batch(benchmark::State& state) {
    retained_resource_store store(test::surface_name);
    for (std::int32_t owner = 0; owner < owners; ++owner) {
        store.bind_owner(test::fragment(owner_name(owner), 1, {owner}), test::delta(), owner);
    }
    const std::int32_t size = static_cast<std::int32_t>(state.range(0));
    std::int32_t generation = 2;
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<retained_fragment> fragments;
        for (std::int32_t owner = 0; owner < size; ++owner) {
            fragments.push_back(test::fragment(owner_name(owner), generation, {owner}));
        }
        const std::vector<resource_set> deltas(static_cast<std::size_t>(size), test::delta());
        ++generation;
        state.ResumeTiming();
        const auto batch = store.prepare_candidate_batch(fragments, deltas, store.revision());
        const operation_result result =
            store.commit_prepared_candidate_batch(batch, fragments, deltas);
        benchmark::DoNotOptimize(result.ok);
    }
    state.SetItemsProcessed(state.iterations() * size);
}

BENCHMARK(prepare_and_commit_batch)->Arg(512)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamo

BENCHMARK_MAIN();
