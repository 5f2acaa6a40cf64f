#include "relay/WorkerPool.h"

#include <algorithm>

WorkerPool::WorkerPool(int workers, std::chrono::milliseconds maxWait) : maxWait_(maxWait) {
    for (int i = 0; i < std::max(1, workers); ++i) threads_.emplace_back([this] { work(); });
    threads_.emplace_back([this] { reap(); });
}

WorkerPool::~WorkerPool() { stop(); }

void WorkerPool::submit(Job job) {
    {
        std::lock_guard lock(mutex_);
        if (!stopping_) {
            queue_.push_back({std::move(job), Clock::now()});
            job = nullptr;
        }
    }
    if (job) {
        job(true);
        return;
    }
    wake_.notify_one();
    reaperWake_.notify_one();
}

void WorkerPool::work() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) return;
        Job job = std::move(queue_.front().job);
        queue_.pop_front();
        ++busy_;
        lock.unlock();
        job(false);
        --busy_;
        lock.lock();
    }
}

void WorkerPool::reap() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (queue_.empty()) {
            reaperWake_.wait(lock);
            continue;
        }
        // The queue is in arrival order: only its front can be due.
        const Clock::time_point due = queue_.front().queuedAt + maxWait_;
        if (Clock::now() < due) {
            reaperWake_.wait_until(lock, due);
            continue;
        }
        Job job = std::move(queue_.front().job);
        queue_.pop_front();
        lock.unlock();
        job(true);
        lock.lock();
    }
}

void WorkerPool::stop() {
    std::deque<Queued> abandoned;
    {
        std::lock_guard lock(mutex_);
        if (stopping_ && queue_.empty() && threads_.empty()) return;
        stopping_ = true;
        abandoned.swap(queue_);
    }
    wake_.notify_all();
    reaperWake_.notify_all();
    for (std::thread& thread : threads_) {
        if (thread.joinable()) thread.join();
    }
    threads_.clear();
    for (Queued& queued : abandoned) queued.job(true);
}
