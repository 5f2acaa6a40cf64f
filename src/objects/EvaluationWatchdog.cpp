#include "objects/EvaluationWatchdog.h"

#include "objects/ScriptBudget.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

long long residentBytes() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) return 0;
    long long size = 0;
    long long resident = 0;
    const int read = std::fscanf(statm, "%lld %lld", &size, &resident);
    std::fclose(statm);
    if (read != 2) return 0;
    return resident * static_cast<long long>(::sysconf(_SC_PAGESIZE));
}

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
    entries_[engine] = Entry{std::move(interrupt), Clock::time_point::max(), nullptr};
}

void EvaluationWatchdog::unwatch(const void* engine) {
    std::lock_guard lock(mutex_);
    entries_.erase(engine);
}

void EvaluationWatchdog::started(const void* engine, Clock::time_point deadline,
                                 const ScriptBudget* budget) {
    bool wakeSooner = false;
    {
        std::lock_guard lock(mutex_);
        const auto found = entries_.find(engine);
        if (found == entries_.end()) return;
        found->second.deadline = deadline;
        found->second.budget = budget;
        // The watchdog looks again at its next wake-up anyway; only an earlier deadline
        // needs it woken, so a busy engine costs no thread switch per evaluation.
        wakeSooner = deadline < nextWake_;
    }
    if (wakeSooner) wake_.notify_all();
}

void EvaluationWatchdog::finished(const void* engine) {
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(engine);
    if (found == entries_.end()) return;
    found->second.deadline = Clock::time_point::max();
    found->second.budget = nullptr;
}

void EvaluationWatchdog::addBudget(ScriptBudget* budget) {
    {
        std::lock_guard lock(mutex_);
        budgets_.insert(budget);
    }
    wake_.notify_all();
}

void EvaluationWatchdog::removeBudget(ScriptBudget* budget) {
    std::lock_guard lock(mutex_);
    budgets_.erase(budget);
}

void EvaluationWatchdog::run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        Clock::time_point next = Clock::time_point::max();
        const Clock::time_point now = Clock::now();
        if (!budgets_.empty()) {
            const long long resident = residentBytes();
            for (ScriptBudget* budget : budgets_) {
                if (resident > budget->memoryCeiling()) budget->markSpent();
            }
            next = now + kMemorySamplePeriod;
        }
        for (auto& [engine, entry] : entries_) {
            const bool overBudget = entry.budget != nullptr && entry.budget->spent();
            if (entry.deadline <= now || overBudget) {
                entry.deadline = Clock::time_point::max();
                entry.budget = nullptr;
                entry.interrupt();  // under the lock: the engine cannot go away meanwhile
                continue;
            }
            next = std::min(next, entry.deadline);
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
