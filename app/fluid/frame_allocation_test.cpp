// Counts every allocation of the process to show that no frame of the
// shipped solver (splats, step, render) allocates, the first one included.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "app/fluid/fluid_solver.hpp"
#include "app/fluid/fountains.hpp"

namespace {

std::atomic<long> allocations{0};

}  // namespace

[[gnu::noinline]] void* operator new(std::size_t size) {
    ++allocations;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

// Not inlined, so the compiler does not pair the callers' new with free.
[[gnu::noinline]] void operator delete(void* memory) noexcept {
    std::free(memory);
}
[[gnu::noinline]] void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace tamo {
namespace {

TEST(frame_allocation, no_frame_allocates) {
    fluid_solver solver;
    array_handle pixels;
    pixels.resize(6144);
    const long before = allocations.load();
    float sim_time = 0.0f;
    for (int frame = 0; frame < 20; ++frame) {
        sim_time += 0.016f;
        automatic_fountains(solver, sim_time, 0.016f);
        solver.splat(40, 20, 3, 3, 0.1f, 0.2f, 0.3f);
        solver.step(0.016f);
        solver.render(pixels, 0.8f, frame % 2 == 0);
    }
    EXPECT_EQ(allocations.load() - before, 0);
}

TEST(frame_allocation, the_counter_sees_allocations) {
    const long before = allocations.load();
    fluid_solver solver;
    EXPECT_GT(allocations.load() - before, 0);
}

}  // namespace
}  // namespace tamo
