#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "objects/ScriptJson.h"

// The thread the window's handlers make their requests on, one job at a time in order. It
// owns the page object: a script engine is used on the thread that made it, so every parse
// and read of a page happens here, from the first page to the end of the run.
class RequestThread {
  public:
    RequestThread();
    // Finishes the job in hand (end its request first with the abort switch), then joins.
    ~RequestThread();
    RequestThread(const RequestThread&) = delete;
    RequestThread& operator=(const RequestThread&) = delete;

    void post(std::function<void()> job);
    // The page object; touch it only from jobs.
    ScriptJson& pageJson() { return *pageJson_; }

  private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::optional<ScriptJson> pageJson_;
    std::thread thread_;
};
