#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "service/ServiceEndpoints.h"
#include "ui/ListView.h"

// Resolves every row's room number into its column 4, one row after another, scrolling
// along. An address is only written into a row that still holds the room it was resolved
// for, so a list emptied or refilled meanwhile never gets another room's address.
void extractAllSources(ListView& streamers, const ServiceEndpoints& endpoints);

// Starts runs of extractAllSources on threads of their own and returns at once; a click
// during a run starts another. Destruction waits for the runs, so callers end the requests
// first (the abort switch) when the program closes.
class BatchExtraction {
  public:
    BatchExtraction(ListView& streamers, ServiceEndpoints endpoints)
        : streamers_(streamers), endpoints_(std::move(endpoints)) {}
    ~BatchExtraction();
    BatchExtraction(const BatchExtraction&) = delete;
    BatchExtraction& operator=(const BatchExtraction&) = delete;

    void startExtraction();
    // Waits until every run has ended, calling `pump` meanwhile: a run may be waiting for the
    // window's thread to carry out one of its list operations.
    void waitForRuns(const std::function<void()>& pump);
    // Runs not yet ended; ended ones are joined and dropped on the way.
    std::size_t runningRuns();

  private:
    void reapFinishedRuns();  // with mutex_ held
    struct Run {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    ListView& streamers_;
    ServiceEndpoints endpoints_;
    std::mutex mutex_;
    std::vector<Run> runs_;
};
