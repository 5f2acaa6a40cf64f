#include "app/BatchExtraction.h"

#include <chrono>

#include "service/LiveSourceResolver.h"
#include "ui/RowColumns.h"

void extractAllSources(ListView& streamers, const ServiceEndpoints& endpoints) {
    const int rows = streamers.rowCount();
    for (int row = 0; row < rows; ++row) {
        const GbkText room = streamers.cellText(row, StreamerColumn::kRoom);
        const GbkText address = resolveLiveSource(room, endpoints);
        // Checked and written in one step: the list may have been refilled meanwhile.
        if (!streamers.setCellTextIf(row, StreamerColumn::kPermanent, address,
                                     StreamerColumn::kRoom, room)) {
            continue;
        }
        streamers.ensureRowVisible(row);
    }
}

BatchExtraction::~BatchExtraction() {
    std::vector<Run> runs;
    {
        std::lock_guard lock(mutex_);
        runs.swap(runs_);
    }
    for (Run& run : runs) {
        if (run.thread.joinable()) run.thread.join();
    }
}

void BatchExtraction::reapFinishedRuns() {
    for (auto run = runs_.begin(); run != runs_.end();) {
        if (!run->done->load()) {
            ++run;
            continue;
        }
        run->thread.join();  // it has returned: no wait
        run = runs_.erase(run);
    }
}

std::size_t BatchExtraction::runningRuns() {
    std::lock_guard lock(mutex_);
    reapFinishedRuns();
    return runs_.size();
}

void BatchExtraction::startExtraction() {
    std::lock_guard lock(mutex_);
    reapFinishedRuns();
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([this, done] {
        extractAllSources(streamers_, endpoints_);
        done->store(true);
    });
    runs_.push_back({std::move(thread), std::move(done)});
}

void BatchExtraction::waitForRuns(const std::function<void()>& pump) {
    // Taken out first: the pump may run handlers that start or look at runs.
    std::vector<Run> runs;
    {
        std::lock_guard lock(mutex_);
        runs.swap(runs_);
    }
    for (Run& run : runs) {
        while (!run.done->load()) {
            pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (run.thread.joinable()) run.thread.join();
    }
}
