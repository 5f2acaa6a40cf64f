#include "app/RequestThread.h"

#include "http/HttpRequest.h"

RequestThread::RequestThread() : thread_([this] { run(); }) {}

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
    // Loaded here, while the window is still being built, not on the way to the first page.
    preloadHttpEngine();
    std::unique_lock lock(mutex_);
    // Every engine of the page object is made here, on this thread; the first while the
    // window is still being built, ready for the first page.
    pageJson_.emplace();
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
