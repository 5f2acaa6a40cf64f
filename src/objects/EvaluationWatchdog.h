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
// checking costs the evaluation nothing but two clock reads. While budgets with a memory
// ceiling exist, the thread also samples the process's resident size, marks a budget spent as
// soon as the process grows past its ceiling, and interrupts the evaluation running under it.
class EvaluationWatchdog {
  public:
    using Clock = std::chrono::steady_clock;

    static EvaluationWatchdog& instance();
    ~EvaluationWatchdog();

    // `interrupt` is called on the watchdog's thread; it must be safe to call from there.
    void watch(const void* engine, std::function<void()> interrupt);
    void unwatch(const void* engine);
    // `budget`, when given, is the one the evaluation runs under; it outlives the evaluation.
    void started(const void* engine, Clock::time_point deadline,
                 const ScriptBudget* budget = nullptr);
    void finished(const void* engine);

    // Budgets with a memory ceiling, while they exist.
    void addBudget(ScriptBudget* budget);
    void removeBudget(ScriptBudget* budget);

    // How often the resident size is sampled while a budget is registered.
    static constexpr std::chrono::milliseconds kMemorySamplePeriod{20};

  private:
    EvaluationWatchdog();
    void run();

    struct Entry {
        std::function<void()> interrupt;
        Clock::time_point deadline = Clock::time_point::max();
        const ScriptBudget* budget = nullptr;
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
