#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "relay/PageCache.h"
#include "relay/RelayStats.h"
#include "relay/RoomCache.h"
#include "relay/WorkerPool.h"
#include "service/ServiceEndpoints.h"

struct RelayConfig {
    ServiceEndpoints endpoints;
    std::string publicUrl;     // written into playlists instead of the client's Host
    std::string fallbackHost;  // host:port for clients that send no usable Host
    std::chrono::milliseconds cacheLifetime{30000};   // 0: no cache
    std::chrono::milliseconds failureLifetime{5000};  // never longer than cacheLifetime
    std::chrono::milliseconds playlistLifetime{300000};
    int maxUpstream = 16;
    std::chrono::milliseconds upstreamWait{10000};
    std::size_t cacheCapacity = 10000;
};

struct RelayRequest {
    std::string method;
    std::string target;
    std::string host;  // the Host header
};

struct RelayResponse {
    int status = 200;
    std::string contentType = "text/plain; charset=utf-8";
    std::string body;
    std::vector<std::pair<std::string, std::string>> headers;
    long long upstreamMs = -1;  // -1: no upstream request made for this answer
    bool cached = false;
};

// What the relay answers, apart from the HTTP transport. `reply` is called exactly once,
// at once or later from a worker thread.
class RelayService {
  public:
    using Reply = std::function<void(RelayResponse)>;

    explicit RelayService(RelayConfig config);
    ~RelayService();

    void handle(const RelayRequest& request, Reply reply);
    // Ends upstream work: queued requests are answered 503, running ones return promptly.
    void stop();

    const RelayStats& stats() const { return stats_; }
    RelayStats& stats() { return stats_; }
    const RoomCache& cache() const { return cache_; }

  private:
    void redirect(const std::string& room, Reply reply);
    void playlist(const RelayRequest& request, Reply reply);
    void homePage(const RelayRequest& request, Reply reply);
    RelayResponse status() const;
    std::string baseUrl(const RelayRequest& request) const;

    const RelayConfig config_;
    RelayStats stats_;
    RoomCache cache_;
    WorkerPool upstream_;
    WorkerPool pageWorker_;
    PageCache pages_;
};

// A plain-text answer with one line of text.
RelayResponse textAnswer(int status, std::string line);
