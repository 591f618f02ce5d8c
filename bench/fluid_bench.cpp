// Time of the solver's per-frame work: one splat, step, render and a whole
// simulated frame (three fountain splats, step, render with bloom on).
#include <benchmark/benchmark.h>

#include "app/fluid/fluid_solver.hpp"
#include "app/fluid/fountains.hpp"

namespace tamo {
namespace {

constexpr float frame_time = 0.016f;
constexpr int repetitions = 9;

// A solver with the seed splats and a second of fountains behind it, so
// every field holds moving dye.
struct running_fluid {
    running_fluid() {
        pixels.resize(6144);
        solver.splat(28, 30, 25, -18, 4.5f, 0.06f, 1.5f);
        solver.splat(66, 31, -25, 18, 0.02f, 2.5f, 4.5f);
        for (int frame = 0; frame < 60; ++frame) {
            simulate_frame();
        }
    }
    void simulate_frame() {
        sim_time += frame_time;
        automatic_fountains(solver, sim_time, frame_time);
        solver.step(frame_time);
        solver.render(pixels, 0.8f, true);
    }

    fluid_solver solver;
    array_handle pixels;
    float sim_time = 0.0f;
};

void whole_frame(benchmark::State& state) {
    running_fluid fluid;
    for (auto _ : state) {
        fluid.simulate_frame();
        benchmark::DoNotOptimize(fluid.pixels.data());
    }
}

void step(benchmark::State& state) {
    running_fluid fluid;
    for (auto _ : state) {
        fluid.solver.step(frame_time);
        benchmark::DoNotOptimize(fluid.solver.dye_red.data());
    }
}

void render(benchmark::State& state) {
    running_fluid fluid;
    for (auto _ : state) {
        fluid.solver.render(fluid.pixels, 0.8f, true);
        benchmark::DoNotOptimize(fluid.pixels.data());
    }
}

void one_splat(benchmark::State& state) {
    running_fluid fluid;
    for (auto _ : state) {
        fluid.solver.splat(45, 30, 1, -1, 0.001f, 0.001f, 0.001f);
        benchmark::DoNotOptimize(fluid.solver.dye_red.data());
    }
}

BENCHMARK(whole_frame)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions);
BENCHMARK(step)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions);
BENCHMARK(render)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions);
BENCHMARK(one_splat)->Unit(benchmark::kMicrosecond)->Repetitions(repetitions);

}  // namespace
}  // namespace tamo

BENCHMARK_MAIN();
