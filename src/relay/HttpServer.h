#pragma once

#include <memory>
#include <string>

#include "relay/AccessLog.h"
#include "relay/RelayService.h"

// The relay's HTTP/1.1 front: keep-alive connections on a few event-loop threads, each
// request handed to the service, HEAD answered as GET without the body.
class HttpServer {
  public:
    // Binds at once; port 0 takes a free one. `log` may be null.
    HttpServer(RelayService& service, const std::string& host, int port, int threads,
               AccessLog* log);
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    bool listening() const;
    std::string error() const;  // why it does not listen
    int port() const;
    void start();
    // Stops accepting, closes every connection and joins the threads.
    void stop();
    // SIGINT and SIGTERM stop accepting and end waitForSignal.
    void handleSignals();
    // Blocks until a handled signal arrives, or stop() is called.
    void waitForSignal();

    class Impl;

  private:
    std::unique_ptr<Impl> impl_;
};
