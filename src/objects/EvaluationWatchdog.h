#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <unordered_set>

class ScriptBudget;

// One background thread that interrupts evaluations running past their limit, so that a
// hostile answer cannot freeze the window. Engines register a start time per evaluation;
// checking costs the evaluation nothing but two clock reads. An evaluation may also carry a
// ceiling on the process's resident memory, which the thread then samples while it runs.
class EvaluationWatchdog {
  public:
    using Clock = std::chrono::steady_clock;
    enum class Reason { Time, Memory };

    static EvaluationWatchdog& instance();
    ~EvaluationWatchdog();

    // `interrupt` is called on the watchdog's thread; it must be safe to call from there.
    void watch(const void* engine, std::function<void(Reason)> interrupt);
    void unwatch(const void* engine);
    // `memoryCeilingBytes` 0: no memory ceiling for this evaluation.
    void started(const void* engine, Clock::time_point deadline, long long memoryCeilingBytes = 0);
    void finished(const void* engine);

    // While registered, a budget with a memory ceiling is marked spent as soon as the process
    // grows past it, between evaluations as well as during them.
    void addBudget(ScriptBudget* budget);
    void removeBudget(ScriptBudget* budget);

    // How often the resident size is sampled while a ceiling is in force.
    static constexpr std::chrono::milliseconds kMemorySamplePeriod{20};

  private:
    EvaluationWatchdog();
    void run();

    struct Entry {
        std::function<void(Reason)> interrupt;
        Clock::time_point deadline = Clock::time_point::max();
        long long memoryCeiling = 0;
    };
    std::mutex mutex_;
    std::condition_variable wake_;
    std::unordered_map<const void*, Entry> entries_;
    std::unordered_set<ScriptBudget*> budgets_;
    bool stopping_ = false;
    Clock::time_point nextWake_ = Clock::time_point::min();
    std::thread thread_;
};

// The process's resident memory in bytes, 0 when it cannot be read.
long long residentBytes();
