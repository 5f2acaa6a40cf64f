#include "objects/ScriptBudget.h"

#include "objects/EvaluationWatchdog.h"

namespace {
thread_local ScriptBudget* innermost = nullptr;
}

ScriptBudget::ScriptBudget(std::chrono::milliseconds time, long long memoryGrowthBytes)
    : deadline_(Clock::now() + time), outer_(innermost) {
    if (memoryGrowthBytes > 0) {
        const long long resident = residentBytes();
        if (resident > 0) memoryCeiling_ = resident + memoryGrowthBytes;
    }
    if (memoryCeiling_ > 0) EvaluationWatchdog::instance().addBudget(this);
    innermost = this;
}

ScriptBudget::~ScriptBudget() {
    if (memoryCeiling_ > 0) EvaluationWatchdog::instance().removeBudget(this);
    innermost = outer_;
}

ScriptBudget* ScriptBudget::current() { return innermost; }
