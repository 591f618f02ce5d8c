#include "runtime/thread_pool.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <limits>
#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <utility>

namespace tamo {
namespace {

// Starts real workers, counting the starts and the workers that returned.
struct counting_starter {
    std::atomic<unsigned> started{0};
    std::atomic<unsigned> returned{0};
    unsigned failing_start = std::numeric_limits<unsigned>::max();

    worker_starter starter() {
        return [this](std::function<void()> body) {
            if (started == failing_start) {
                throw std::system_error(
                    std::make_error_code(std::errc::resource_unavailable_try_again));
            }
            ++started;
            return std::thread([this, body = std::move(body)] {
                body();
                ++returned;
            });
        };
    }
};

TEST(ThreadPoolTest, StartsTwoToFourWorkersByHardwareConcurrency) {
    const std::pair<unsigned, unsigned> cases[] = {
        {0, 2}, {1, 2}, {2, 2}, {3, 3}, {4, 4}, {16, 4}, {std::numeric_limits<unsigned>::max(), 4},
    };
    for (const auto& [hardware_concurrency, expected] : cases) {
        SCOPED_TRACE("hardware concurrency " + std::to_string(hardware_concurrency));
        counting_starter workers;
        {
            thread_pool pool(hardware_concurrency, workers.starter());
            EXPECT_EQ(workers.started, expected);
        }
        EXPECT_EQ(workers.returned, expected);
    }
}

TEST(ThreadPoolTest, IdlePoolStopsAtDestruction) {
    thread_pool pool;
}

TEST(ThreadPoolTest, QueuedTasksAllRunBeforeDestructionReturns) {
    constexpr int queued = 200;
    std::promise<void> gate;
    std::shared_future<void> opened = gate.get_future().share();
    std::atomic<int> blocked_done{0};
    std::atomic<int> queued_done{0};
    std::thread opener;
    {
        thread_pool pool;
        // Occupy every worker so that the later tasks stay in the queue.
        for (int i = 0; i < 4; ++i) {
            pool.submit([opened, &blocked_done] {
                opened.wait();
                ++blocked_done;
            });
        }
        for (int i = 0; i < queued; ++i) {
            pool.submit([&queued_done] { ++queued_done; });
        }
        // Opens the gate once the destructor below is most likely waiting.
        opener = std::thread([&gate] {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            gate.set_value();
        });
    }
    EXPECT_EQ(blocked_done, 4);
    EXPECT_EQ(queued_done, queued);
    opener.join();
}

TEST(ThreadPoolTest, TaskQueuedByATaskDuringDestructionStillRuns) {
    std::atomic<bool> follow_up_ran{false};
    {
        thread_pool pool;
        pool.submit([&pool, &follow_up_ran] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            pool.submit([&follow_up_ran] { follow_up_ran = true; });
        });
    }
    EXPECT_TRUE(follow_up_ran);
}

TEST(ThreadPoolTest, RefusesAnEmptyTaskAndKeepsWorking) {
    std::atomic<bool> ran{false};
    {
        thread_pool pool;
        EXPECT_THROW(pool.submit(std::function<void()>()), std::invalid_argument);
        pool.submit([&ran] { ran = true; });
    }
    EXPECT_TRUE(ran);
}

TEST(ThreadPoolTest, FailedStartJoinsTheStartedWorkersAndRethrows) {
    for (unsigned failing_start = 0; failing_start < 4; ++failing_start) {
        SCOPED_TRACE("start " + std::to_string(failing_start) + " fails");
        counting_starter workers;
        workers.failing_start = failing_start;
        EXPECT_THROW(thread_pool(4, workers.starter()), std::system_error);
        EXPECT_EQ(workers.started, failing_start);
        EXPECT_EQ(workers.returned, failing_start);
    }
}

}  // namespace
}  // namespace tamo
