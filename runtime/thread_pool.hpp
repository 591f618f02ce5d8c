#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tamo {

// Starts one worker thread running the given body.
using worker_starter = std::function<std::thread(std::function<void()> body)>;

// A fixed pool of two to four workers taking tasks from one first-in-first-out
// queue. Destruction lets the workers finish every queued task, then joins
// them; it must not happen on one of the pool's own workers.
class thread_pool {
  public:
    // Sizes the pool by the machine's hardware concurrency.
    thread_pool();
    // Sizes the pool by the given hardware concurrency and starts each worker
    // through start. When a start fails, the workers already started are
    // stopped and joined and the failure is rethrown.
    thread_pool(unsigned hardware_concurrency, const worker_starter& start);
    ~thread_pool();

    thread_pool(const thread_pool&) = delete;
    thread_pool& operator=(const thread_pool&) = delete;

    // Queues a task. A task must not throw: nothing on a worker catches it.
    // An empty task is refused with std::invalid_argument.
    void submit(std::function<void()> task);

  private:
    void worker_loop();
    void stop_and_join();

    std::mutex lock;
    std::condition_variable wake;
    std::deque<std::function<void()>> tasks;
    bool stopping = false;
    std::vector<std::thread> workers;
};

}  // namespace tamo
