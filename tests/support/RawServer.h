#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A loopback listener that records the exact bytes of each request head and body it gets and
// answers every one with the same canned response: what really went over the wire.
class RawServer {
  public:
    explicit RawServer(std::string cannedResponse =
                           "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n"
                           "Connection: close\r\n\r\nok");
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    int port() const { return port_; }
    std::string hostPort() const;
    std::vector<std::string> requests() const;  // head and body, as received

  private:
    void serve();
    void handle(int client);

    int listener_ = -1;
    int port_ = 0;
    std::string canned_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
};
