#pragma once

#include <functional>

// Runs a handler's blocking step (a request and what is computed from its answer) and
// returns when it is done. The window's runner does the work on a thread of its own while
// the window keeps painting and holds the user's input until the step is over; elsewhere the
// work simply runs in place.
class WorkRunner {
  public:
    virtual ~WorkRunner() = default;
    virtual void run(const std::function<void()>& work) = 0;
};

class InPlaceRunner : public WorkRunner {
  public:
    void run(const std::function<void()>& work) override { work(); }
};

// A runner for callers that have none of their own.
inline WorkRunner& inPlaceRunner() {
    static InPlaceRunner runner;
    return runner;
}
