#pragma once

#include <atomic>
#include <chrono>

// A bound on all the script work of one task on this thread (a page load: its parse and
// every read of its rows): a total time, and how far the process may grow meanwhile. When it
// is spent, the evaluation in progress is interrupted and every later one on this thread
// fails at once, until the budget goes out of scope. Budgets nest; the innermost counts.
class ScriptBudget {
  public:
    using Clock = std::chrono::steady_clock;

    ScriptBudget(std::chrono::milliseconds time, long long memoryGrowthBytes);
    ~ScriptBudget();
    ScriptBudget(const ScriptBudget&) = delete;
    ScriptBudget& operator=(const ScriptBudget&) = delete;

    // The budget in force on this thread, or null.
    static ScriptBudget* current();

    bool spent() const { return spent_.load(); }
    void markSpent() { spent_.store(true); }
    Clock::time_point deadline() const { return deadline_; }
    // The resident size at which work stops; 0 when memory is not watched.
    long long memoryCeiling() const { return memoryCeiling_; }

  private:
    Clock::time_point deadline_;
    long long memoryCeiling_ = 0;
    std::atomic<bool> spent_{false};
    ScriptBudget* outer_ = nullptr;
};
