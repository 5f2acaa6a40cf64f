#include "relay/RelayStats.h"

#include <algorithm>

RelayStats::RelayStats() : started_(std::chrono::steady_clock::now()) {
    latencies_.reserve(kLatencyWindow);
}

void RelayStats::countAnswer(int status) {
    if (status >= 0 && status < static_cast<int>(byStatus_.size())) {
        byStatus_[static_cast<std::size_t>(status)].fetch_add(1, std::memory_order_relaxed);
    }
}

void RelayStats::recordUpstreamMs(long long ms) {
    std::lock_guard lock(latencyMutex_);
    if (latencies_.size() < kLatencyWindow) {
        latencies_.push_back(ms);
    } else {
        latencies_[nextLatency_] = ms;
    }
    nextLatency_ = (nextLatency_ + 1) % kLatencyWindow;
    ++latencySamples_;
}

RelayStats::Latency RelayStats::upstreamLatency() const {
    std::vector<long long> sorted;
    Latency latency;
    {
        std::lock_guard lock(latencyMutex_);
        sorted = latencies_;
        latency.samples = latencySamples_;
    }
    if (sorted.empty()) return latency;
    std::sort(sorted.begin(), sorted.end());
    const auto at = [&](double fraction) {
        const auto index =
            static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1) + 0.5);
        return sorted[std::min(index, sorted.size() - 1)];
    };
    latency.p50 = at(0.50);
    latency.p90 = at(0.90);
    latency.p99 = at(0.99);
    latency.max = sorted.back();
    return latency;
}

long long RelayStats::answers(int status) const {
    if (status < 0 || status >= static_cast<int>(byStatus_.size())) return 0;
    return byStatus_[static_cast<std::size_t>(status)].load(std::memory_order_relaxed);
}

double RelayStats::uptimeSeconds() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

std::string RelayStats::answersJson() const {
    std::string json = "{";
    for (std::size_t status = 0; status < byStatus_.size(); ++status) {
        const long long count = byStatus_[status].load(std::memory_order_relaxed);
        if (count == 0) continue;
        if (json.size() > 1) json += ',';
        json += '"' + std::to_string(status) + "\":" + std::to_string(count);
    }
    return json + "}";
}
