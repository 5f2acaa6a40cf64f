#include "app/BatchExtraction.h"

#include <chrono>

#include "service/LiveSourceResolver.h"
#include "ui/RowColumns.h"

void extractAllSources(ListView& streamers, const ServiceEndpoints& endpoints) {
    const int rows = streamers.rowCount();
    for (int row = 0; row < rows; ++row) {
        const GbkText room = streamers.cellText(row, StreamerColumn::kRoom);
        const GbkText address = resolveLiveSource(room, endpoints);
        if (streamers.cellText(row, StreamerColumn::kRoom) != room || row >= streamers.rowCount())
            continue;
        streamers.setCellText(row, StreamerColumn::kPermanent, address);
        streamers.ensureRowVisible(row);
    }
}

BatchExtraction::~BatchExtraction() {
    std::lock_guard lock(mutex_);
    for (Run& run : runs_) {
        if (run.thread.joinable()) run.thread.join();
    }
}

void BatchExtraction::startExtraction() {
    std::lock_guard lock(mutex_);
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([this, done] {
        extractAllSources(streamers_, endpoints_);
        done->store(true);
    });
    runs_.push_back({std::move(thread), std::move(done)});
}

void BatchExtraction::waitForRuns(const std::function<void()>& pump) {
    std::lock_guard lock(mutex_);
    for (Run& run : runs_) {
        while (!run.done->load()) {
            pump();
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (run.thread.joinable()) run.thread.join();
    }
    runs_.clear();
}
