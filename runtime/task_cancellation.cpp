#include "runtime/task_cancellation.hpp"

#include <algorithm>
#include <chrono>
#include <thread>

namespace tamo {

constinit thread_local task_record* current_task = nullptr;

namespace {

void throw_if_cancel_requested() {
    task_record* task = current_task;
    if (task != nullptr && task->cancel_requested.load()) {
        task->cancel_acknowledged.exchange(true);
        throw mirk_task_cancelled{};
    }
}

}  // namespace

void sleep_frame(std::int64_t total_ms) {
    std::int64_t remaining = total_ms;
    while (remaining > 0) {
        throw_if_cancel_requested();
        const std::int64_t slice = std::min<std::int64_t>(5, remaining);
        std::this_thread::sleep_for(std::chrono::milliseconds(slice));
        remaining -= slice;
    }
}

}  // namespace tamo
