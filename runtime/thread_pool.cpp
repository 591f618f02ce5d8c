#include "runtime/thread_pool.hpp"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace tamo {
namespace {

unsigned worker_count_for(unsigned hardware_concurrency) {
    return std::clamp(hardware_concurrency, 2u, 4u);
}

std::thread start_thread(std::function<void()> body) {
    return std::thread(std::move(body));
}

}  // namespace

thread_pool::thread_pool() : thread_pool(std::thread::hardware_concurrency(), start_thread) {}

thread_pool::thread_pool(unsigned hardware_concurrency, const worker_starter& start) {
    const unsigned count = worker_count_for(hardware_concurrency);
    // Reserved up front so that storing a started thread cannot fail.
    workers.reserve(count);
    try {
        for (unsigned i = 0; i < count; ++i) {
            workers.push_back(start([this] { worker_loop(); }));
        }
    } catch (...) {
        stop_and_join();
        throw;
    }
}

thread_pool::~thread_pool() {
    stop_and_join();
}

void thread_pool::submit(std::function<void()> task) {
    if (!task) {
        throw std::invalid_argument("thread_pool task is empty");
    }
    {
        std::lock_guard<std::mutex> guard(lock);
        tasks.push_back(std::move(task));
    }
    wake.notify_one();
}

void thread_pool::worker_loop() {
    for (;;) {
        std::function<void()> task;
        {
            std::unique_lock<std::mutex> guard(lock);
            wake.wait(guard, [this] { return stopping || !tasks.empty(); });
            if (tasks.empty()) {
                return;
            }
            task = std::move(tasks.front());
            tasks.pop_front();
        }
        task();
    }
}

void thread_pool::stop_and_join() {
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    wake.notify_all();
    for (std::thread& worker : workers) {
        worker.join();
    }
}

}  // namespace tamo
