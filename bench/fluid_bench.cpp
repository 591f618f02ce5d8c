// Time of the solver's per-frame work: one splat, step, project, render and a
// whole simulated frame (three fountain splats, step, render with bloom on),
// and the whole frame of the line-by-line oracle beside the shipped one.
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/fluid/fluid_solver.hpp"
#include "app/fluid/fountains.hpp"
#include "tests/app/fluid/fluid_oracle.hpp"

namespace tamo {
namespace {

constexpr float frame_time = 0.016f;
constexpr int repetitions = 9;

// A solver with the seed splats and a second of fountains behind it, so
// every field holds moving dye.
template <typename solver>
struct running_fluid {
    running_fluid() {
        pixels.resize(6144);
        fluid.splat(28, 30, 25, -18, 4.5f, 0.06f, 1.5f);
        fluid.splat(66, 31, -25, 18, 0.02f, 2.5f, 4.5f);
        for (int frame = 0; frame < 60; ++frame) {
            simulate_frame();
        }
    }
    void simulate_frame() {
        sim_time += frame_time;
        automatic_fountains(fluid, sim_time, frame_time);
        fluid.step(frame_time);
        fluid.render(pixels, 0.8f, true);
        benchmark::DoNotOptimize(pixels.data());
    }

    solver fluid;
    array_handle pixels;
    float sim_time = 0.0f;
};

void whole_frame(benchmark::State& state) {
    running_fluid<fluid_solver> running;
    for (auto _ : state) {
        running.simulate_frame();
    }
}

void step(benchmark::State& state) {
    running_fluid<fluid_solver> running;
    for (auto _ : state) {
        running.fluid.step(frame_time);
        benchmark::DoNotOptimize(running.fluid.dye_red.data());
    }
}

void project(benchmark::State& state) {
    running_fluid<fluid_solver> running;
    for (auto _ : state) {
        running.fluid.project();
        benchmark::DoNotOptimize(running.fluid.u.data());
    }
}

void render(benchmark::State& state) {
    running_fluid<fluid_solver> running;
    for (auto _ : state) {
        running.fluid.render(running.pixels, 0.8f, true);
        benchmark::DoNotOptimize(running.pixels.data());
    }
}

void one_splat(benchmark::State& state) {
    running_fluid<fluid_solver> running;
    for (auto _ : state) {
        running.fluid.splat(45, 30, 1, -1, 0.001f, 0.001f, 0.001f);
        benchmark::DoNotOptimize(running.fluid.dye_red.data());
    }
}

// Shipped and oracle frames in the same run, in batches so that each runs
// with its own data in cache; the counters give each one's mean frame time
// in microseconds and the oracle's time divided by the shipped one's.
void shipped_against_oracle(benchmark::State& state) {
    using clock = std::chrono::steady_clock;
    constexpr int batch = 8;
    running_fluid<fluid_solver> shipped;
    running_fluid<fluid_oracle> oracle;
    clock::duration shipped_time{};
    clock::duration oracle_time{};
    for (auto _ : state) {
        const auto start = clock::now();
        for (int frame = 0; frame < batch; ++frame) {
            shipped.simulate_frame();
        }
        const auto middle = clock::now();
        for (int frame = 0; frame < batch; ++frame) {
            oracle.simulate_frame();
        }
        shipped_time += middle - start;
        oracle_time += clock::now() - middle;
    }
    const double frames = static_cast<double>(state.iterations()) * batch;
    const double shipped_us = std::chrono::duration<double, std::micro>(shipped_time).count();
    const double oracle_us = std::chrono::duration<double, std::micro>(oracle_time).count();
    state.counters["shipped_us"] = shipped_us / frames;
    state.counters["oracle_us"] = oracle_us / frames;
    state.counters["ratio"] = oracle_us / shipped_us;
}

BENCHMARK(whole_frame)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions);
BENCHMARK(step)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions);
BENCHMARK(project)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions);
BENCHMARK(render)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions);
BENCHMARK(one_splat)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions);
BENCHMARK(shipped_against_oracle)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions);

}  // namespace
}  // namespace tamo

BENCHMARK_MAIN();
