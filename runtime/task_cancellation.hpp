#pragma once

#include <atomic>
#include <cstdint>

namespace tamo {

// Thrown by sleep_frame when the current task acknowledged a cancel request.
// Deliberately derives from nothing, so handlers of std::exception miss it.
struct mirk_task_cancelled {};

// The part of a task record that cancellation uses. The request is set by
// another thread, so both flags are atomic.
struct task_record {
    std::atomic<bool> cancel_acknowledged{false};
    std::atomic<bool> cancel_requested{false};
};

// The task running on this thread; null where no task runs.
extern constinit thread_local task_record* current_task;

// Sleeps total_ms in slices of at most 5 ms, testing for a cancel request of
// current_task before each slice.
void sleep_frame(std::int64_t total_ms);

}  // namespace tamo
