#pragma once

#include "app/InputHold.h"
#include "app/RequestThread.h"
#include "ui/WorkRunner.h"

// Runs a handler's blocking step on the request thread and waits for it in a local event
// loop: the window keeps painting and shows a busy cursor, its input is held until the step
// is over, and a close meanwhile ends the wait (the abort switch ends the request).
class WindowWorkRunner : public WorkRunner {
  public:
    WindowWorkRunner(RequestThread& thread, InputHold& input) : thread_(thread), input_(input) {}
    void run(const std::function<void()>& work) override;

  private:
    RequestThread& thread_;
    InputHold& input_;
};
