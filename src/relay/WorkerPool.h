#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A fixed number of threads for blocking work (upstream requests). A job that no thread has
// taken within `maxWait` is given up: it is called with `timedOut` true on the pool's own
// reaper thread instead, so that a caller never waits longer than that for a start.
class WorkerPool {
  public:
    using Job = std::function<void(bool timedOut)>;

    WorkerPool(int workers, std::chrono::milliseconds maxWait);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    void submit(Job job);
    // Jobs running now.
    int busy() const { return busy_.load(); }
    // Stops taking jobs, gives up the queued ones and joins every thread.
    void stop();

  private:
    using Clock = std::chrono::steady_clock;
    struct Queued {
        Job job;
        Clock::time_point queuedAt;
    };
    void work();
    void reap();

    const std::chrono::milliseconds maxWait_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable reaperWake_;
    std::deque<Queued> queue_;
    bool stopping_ = false;
    std::atomic<int> busy_{0};
    std::vector<std::thread> threads_;
};
