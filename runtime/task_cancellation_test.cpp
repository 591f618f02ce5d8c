#include "runtime/task_cancellation.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <exception>
#include <thread>
#include <type_traits>

namespace tamo {
namespace {

// Sets current_task for the lifetime of the guard.
class current_task_guard {
  public:
    explicit current_task_guard(task_record* task) { current_task = task; }
    ~current_task_guard() { current_task = nullptr; }
};

TEST(SleepFrame, SleepsTheWholeTimeWithoutATask) {
    ASSERT_EQ(current_task, nullptr);
    const auto start = std::chrono::steady_clock::now();
    sleep_frame(16);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(16));
}

TEST(SleepFrame, ZeroAndNegativeReturnAtOnceEvenWhenCancelled) {
    task_record task;
    task.cancel_requested = true;
    current_task_guard guard(&task);
    sleep_frame(0);
    sleep_frame(-5);
    EXPECT_FALSE(task.cancel_acknowledged);
}

TEST(SleepFrame, RequestBeforeTheCallThrowsAndAcknowledges) {
    task_record task;
    task.cancel_requested = true;
    current_task_guard guard(&task);
    EXPECT_THROW(sleep_frame(16), mirk_task_cancelled);
    EXPECT_TRUE(task.cancel_acknowledged);
}

TEST(SleepFrame, RequestFromAnotherThreadIsSeenBeforeTheNextSlice) {
    task_record task;
    current_task_guard guard(&task);
    std::thread canceller([&task] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        task.cancel_requested = true;
    });
    EXPECT_THROW(sleep_frame(60000), mirk_task_cancelled);
    canceller.join();
    EXPECT_TRUE(task.cancel_acknowledged);
}

TEST(SleepFrame, TaskWithoutRequestSleepsNormally) {
    task_record task;
    current_task_guard guard(&task);
    sleep_frame(6);
    EXPECT_FALSE(task.cancel_acknowledged);
}

}  // namespace
}  // namespace tamo

static_assert(!std::is_base_of_v<std::exception, tamo::mirk_task_cancelled>,
              "handlers of std::exception must not catch a cancellation");
