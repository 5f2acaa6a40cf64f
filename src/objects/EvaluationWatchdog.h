#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <unordered_map>

// One background thread that interrupts evaluations running past their limit, so that a
// hostile answer cannot freeze the window. Engines register a start time per evaluation;
// checking costs the evaluation nothing but two clock reads.
class EvaluationWatchdog {
  public:
    using Clock = std::chrono::steady_clock;

    static EvaluationWatchdog& instance();
    ~EvaluationWatchdog();

    // `interrupt` is called on the watchdog's thread; it must be safe to call from there.
    void watch(const void* engine, std::function<void()> interrupt);
    void unwatch(const void* engine);
    void started(const void* engine, Clock::time_point deadline);
    void finished(const void* engine);

  private:
    EvaluationWatchdog();
    void run();

    struct Entry {
        std::function<void()> interrupt;
        Clock::time_point deadline = Clock::time_point::max();
    };
    std::mutex mutex_;
    std::condition_variable wake_;
    std::unordered_map<const void*, Entry> entries_;
    bool stopping_ = false;
    Clock::time_point nextWake_ = Clock::time_point::min();
    std::thread thread_;
};
