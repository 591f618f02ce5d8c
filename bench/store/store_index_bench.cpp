#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "retained/store/store_test_support.hpp"

namespace tamo {
namespace {

std::vector<std::string> paint_ids(std::int64_t count) {
    std::vector<std::string> ids;
    for (std::int64_t i = 0; i < count; ++i) {
        ids.push_back("paint-" + std::to_string(i));
    }
    return ids;
}

// Counted lookups of stored paints in a store holding the given number of keys.
void index_lookup(benchmark::State& state) {
    const std::vector<std::string> ids = paint_ids(state.range(0));
    test::writable_store store(test::surface_name);
    for (const std::string& id : ids) {
        store.put_paint(test::paint(id));
    }
    resource_tables tables = make_resource_tables(1);
    pending_admission pending = make_pending_admission("o", 1);
    std::size_t next = 0;
    std::int64_t lookups = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.resolve_paint(pending, tables, ids[next]));
        next = (next + 1) % ids.size();
        ++lookups;
    }
    state.counters["probes_per_lookup"] =
        static_cast<double>(pending.index_probes) / static_cast<double>(lookups);
}

// Appending the given number of paints, with their keys, to an empty store.
void index_append(benchmark::State& state) {
    const std::vector<std::string> ids = paint_ids(state.range(0));
    double probes = 0;
    for (auto _ : state) {
        test::writable_store store(test::surface_name);
        for (const std::string& id : ids) {
            store.put_paint(test::paint(id));
        }
        probes = store.index_probe_count();
        benchmark::DoNotOptimize(store.paint_count());
    }
    state.counters["probes_per_append"] = probes / static_cast<double>(ids.size());
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(index_lookup)->Arg(1000)->Arg(16000)->Arg(200000);
BENCHMARK(index_append)->Arg(1000)->Arg(16000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tamo

BENCHMARK_MAIN();
