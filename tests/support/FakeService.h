#pragma once

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace httplib {
class Server;
}

struct RecordedRequest {
    std::string method;
    std::string target;                                        // path with query
    std::vector<std::pair<std::string, std::string>> headers;  // sorted by name
    std::string body;

    std::string header(const std::string& name) const;
    bool hasHeader(const std::string& name) const;
};

// The YY service on 127.0.0.1 with an ephemeral port, for tests. Serves the HLS interface and
// the category interface, records every request, and has routes for the awkward answers:
//   /redirect?to=URL&code=N  /status/N  /cookies  /bytes?n=N  /chunked?pieces=N&size=M
//   /stall?after=N  /drop?after=N  /echo  /slow?ms=N
//   /trickle?ms=N[&chunked=1]  one byte every N ms, never ending
//   /live/ROOM.m3u8  a room's HLS playlist, "#EXTM3U" unless set otherwise
class FakeService {
  public:
    explicit FakeService(bool https = false);
    ~FakeService();
    FakeService(const FakeService&) = delete;
    FakeService& operator=(const FakeService&) = delete;

    int port() const { return port_; }
    std::string hostPort() const;  // 127.0.0.1:PORT
    std::string baseUrl() const;   // http(s)://127.0.0.1:PORT

    // The JSONP body for a room; rooms without one get an answer naming their address.
    void setRoomAnswer(const std::string& room, const std::string& body);
    // The JSON body of a category page; pages without one get an empty list.
    void setPageAnswer(int page, const std::string& body);
    void setAnswerDelayMs(int ms) { delayMs_ = ms; }
    // Makes the HLS interface answer a room with this fake's own /live address for it.
    void setRoomLive(const std::string& room);
    // Rooms without an answer of their own get their live address on this fake too.
    void setAllRoomsLive(bool live) { allRoomsLive_ = live; }
    // How long /live/ answers without one of their own wait.
    void setLiveDelayMs(int ms) { liveDelayMs_ = ms; }
    std::string liveUrlOf(const std::string& room) const;
    // What /live/ROOM.m3u8 answers, after `delayMs`.
    void setStreamAnswer(const std::string& room, int status, const std::string& body,
                         int delayMs = 0);

    // The most requests held back by the answer delay at one time since the last reset.
    int maxConcurrentRequests() const { return maxInFlight_; }
    void resetConcurrency() { maxInFlight_ = 0; }

    std::vector<RecordedRequest> requests() const;
    void clearRequests();

    // The default address of a room, as the service writes it (slashes escaped) and decoded.
    static std::string escapedAddressOf(const std::string& room);
    static std::string addressOf(const std::string& room);

  private:
    void installRoutes();
    void record(const RecordedRequest& request);
    bool sleepUnlessStopping(int ms) const;

    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
    bool https_ = false;
    std::string certDir_;
    std::atomic<bool> stopping_{false};
    std::atomic<int> delayMs_{0};
    std::atomic<bool> allRoomsLive_{false};
    std::atomic<int> liveDelayMs_{0};
    mutable std::mutex mutex_;
    std::map<std::string, std::string> rooms_;
    std::map<int, std::string> pages_;
    struct StreamAnswer {
        int status = 200;
        std::string body;
        int delayMs = 0;
    };
    std::map<std::string, StreamAnswer> streams_;
    std::atomic<int> inFlight_{0};
    std::atomic<int> maxInFlight_{0};
    std::vector<RecordedRequest> requests_;
};
