#pragma once

#include <vector>

#include "text/GbkText.h"

// Starts a program as a process of its own.
class ProcessStarter {
  public:
    virtual ~ProcessStarter() = default;
    // `commandLine` names the program, as the platform would read it, and any options typed
    // after it; each of `appended` then follows as exactly one argument more, never split or
    // interpreted. No shell is involved.
    virtual void run(const GbkText& commandLine, const std::vector<GbkText>& appended) = 0;
};
