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

void EvaluationWatchdog::watch(const void* engine, std::function<void(Reason)> interrupt) {
    std::lock_guard lock(mutex_);
    entries_[engine] = Entry{std::move(interrupt), Clock::time_point::max(), 0};
}

void EvaluationWatchdog::unwatch(const void* engine) {
    std::lock_guard lock(mutex_);
    entries_.erase(engine);
}

void EvaluationWatchdog::started(const void* engine, Clock::time_point deadline,
                                 long long memoryCeilingBytes) {
    bool wakeSooner = false;
    {
        std::lock_guard lock(mutex_);
        const auto found = entries_.find(engine);
        if (found == entries_.end()) return;
        found->second.deadline = deadline;
        found->second.memoryCeiling = memoryCeilingBytes;
        // The watchdog looks again at its next wake-up anyway; only an earlier deadline
        // needs it woken, so a busy engine costs no thread switch per evaluation.
        const Clock::time_point due = memoryCeilingBytes > 0
                                          ? std::min(deadline, Clock::now() + kMemorySamplePeriod)
                                          : deadline;
        wakeSooner = due < nextWake_;
    }
    if (wakeSooner) wake_.notify_all();
}

void EvaluationWatchdog::finished(const void* engine) {
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(engine);
    if (found == entries_.end()) return;
    found->second.deadline = Clock::time_point::max();
    found->second.memoryCeiling = 0;
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
        long long resident = -1;  // read once a pass, and only when some ceiling needs it
        if (!budgets_.empty()) {
            resident = residentBytes();
            for (ScriptBudget* budget : budgets_) {
                if (resident > budget->memoryCeiling()) budget->markSpent();
            }
            next = now + kMemorySamplePeriod;
        }
        for (auto& [engine, entry] : entries_) {
            if (entry.deadline <= now) {
                entry.deadline = Clock::time_point::max();
                entry.memoryCeiling = 0;
                entry.interrupt(Reason::Time);  // under the lock: the engine cannot go away
                continue;
            }
            if (entry.memoryCeiling > 0) {
                if (resident < 0) resident = residentBytes();
                if (resident > entry.memoryCeiling) {
                    entry.deadline = Clock::time_point::max();
                    entry.memoryCeiling = 0;
                    entry.interrupt(Reason::Memory);
                    continue;
                }
                next = std::min(next, now + kMemorySamplePeriod);
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
