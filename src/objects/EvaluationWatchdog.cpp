#include "objects/EvaluationWatchdog.h"

EvaluationWatchdog& EvaluationWatchdog::instance() {
    static EvaluationWatchdog watchdog;
    return watchdog;
}

EvaluationWatchdog::EvaluationWatchdog() : thread_([this] { run(); }) {}

EvaluationWatchdog::~EvaluationWatchdog() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void EvaluationWatchdog::watch(const void* engine, std::function<void()> interrupt) {
    std::lock_guard lock(mutex_);
    entries_[engine] = Entry{std::move(interrupt), Clock::time_point::max()};
}

void EvaluationWatchdog::unwatch(const void* engine) {
    std::lock_guard lock(mutex_);
    entries_.erase(engine);
}

void EvaluationWatchdog::started(const void* engine, Clock::time_point deadline) {
    bool wakeSooner = false;
    {
        std::lock_guard lock(mutex_);
        const auto found = entries_.find(engine);
        if (found == entries_.end()) return;
        found->second.deadline = deadline;
        // The watchdog looks again at its next wake-up anyway; only an earlier deadline
        // needs it woken, so a busy engine costs no thread switch per evaluation.
        wakeSooner = deadline < nextWake_;
    }
    if (wakeSooner) wake_.notify_all();
}

void EvaluationWatchdog::finished(const void* engine) {
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(engine);
    if (found != entries_.end()) found->second.deadline = Clock::time_point::max();
}

void EvaluationWatchdog::run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        Clock::time_point next = Clock::time_point::max();
        const Clock::time_point now = Clock::now();
        for (auto& [engine, entry] : entries_) {
            if (entry.deadline <= now) {
                entry.deadline = Clock::time_point::max();
                entry.interrupt();  // under the lock: the engine cannot go away meanwhile
            } else if (entry.deadline < next) {
                next = entry.deadline;
            }
        }
        nextWake_ = next;
        if (next == Clock::time_point::max()) {
            wake_.wait(lock);
        } else {
            wake_.wait_until(lock, next);
        }
        nextWake_ = Clock::time_point::min();  // awake: every deadline is seen on this pass
    }
}
