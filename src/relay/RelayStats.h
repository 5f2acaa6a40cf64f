#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

// Counters for /status.json: answers by status, and the latency of recent upstream requests.
class RelayStats {
  public:
    RelayStats();
    void countAnswer(int status);
    void recordUpstreamMs(long long ms);

    struct Latency {
        long long samples = 0;
        long long p50 = 0;
        long long p90 = 0;
        long long p99 = 0;
        long long max = 0;
    };
    Latency upstreamLatency() const;
    long long answers(int status) const;
    double uptimeSeconds() const;
    // `{"200": n, ...}` for every status answered so far.
    std::string answersJson() const;

  private:
    static constexpr std::size_t kLatencyWindow = 4096;  // the most recent requests
    const std::chrono::steady_clock::time_point started_;
    std::array<std::atomic<long long>, 600> byStatus_{};
    mutable std::mutex latencyMutex_;
    std::vector<long long> latencies_;
    std::size_t nextLatency_ = 0;
    long long latencySamples_ = 0;
};
