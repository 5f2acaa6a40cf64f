#include "app/RequestThread.h"

RequestThread::RequestThread() : thread_([this] { run(); }) {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return ready_; });
}

RequestThread::~RequestThread() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RequestThread::post(std::function<void()> job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void RequestThread::run() {
    {
        std::lock_guard lock(mutex_);
        pageJson_.emplace();  // its engine is made here, on this thread
        ready_ = true;
    }
    wake_.notify_all();
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (jobs_.empty()) break;
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        job();
        lock.lock();
    }
    pageJson_.reset();  // and ends here too
}
