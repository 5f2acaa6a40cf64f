#pragma once

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

// One line per request, written to a stream in batches by a thread of its own, so that a
// busy relay does not pay a write for every answer.
class AccessLog {
  public:
    explicit AccessLog(std::FILE* out);
    ~AccessLog();
    AccessLog(const AccessLog&) = delete;
    AccessLog& operator=(const AccessLog&) = delete;

    // time, client, method, path, status, and the upstream milliseconds or "cached".
    void write(std::string_view client, std::string_view method, std::string_view target,
               int status, long long upstreamMs, bool cached);
    void flush();

  private:
    void run();
    std::FILE* out_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::string pending_;
    bool stopping_ = false;
    std::thread thread_;
};
