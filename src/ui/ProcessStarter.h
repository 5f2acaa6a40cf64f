#pragma once

#include "text/GbkText.h"

// Starts a command line (program, a blank, its argument) as a process of its own.
class ProcessStarter {
  public:
    virtual ~ProcessStarter() = default;
    virtual void run(const GbkText& commandLine) = 0;
};
