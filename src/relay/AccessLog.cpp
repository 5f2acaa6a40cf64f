#include "relay/AccessLog.h"

#include <chrono>
#include <ctime>

#include "service/Utf8Playlist.h"

namespace {

std::string timeText() {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[40];
    const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    std::snprintf(text + length, sizeof text - length, ".%03lld", static_cast<long long>(millis));
    return text;
}

}  // namespace

AccessLog::AccessLog(std::FILE* out) : out_(out), thread_([this] { run(); }) {}

AccessLog::~AccessLog() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
    flush();
}

void AccessLog::write(std::string_view client, std::string_view method, std::string_view target,
                      int status, long long upstreamMs, bool cached) {
    // The target is the client's own text: kept on one line and cut short.
    std::string line = timeText() + ' ' + oneLine(client) + ' ' + oneLine(method).substr(0, 16) +
                       ' ' + oneLine(target.substr(0, 512)) + ' ' + std::to_string(status) + ' ' +
                       (cached            ? std::string("cached")
                        : upstreamMs >= 0 ? std::to_string(upstreamMs) + "ms"
                                          : "-") +
                       '\n';
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        wake = pending_.empty();
        pending_ += line;
    }
    if (wake) wake_.notify_one();
}

void AccessLog::flush() {
    std::string batch;
    {
        std::lock_guard lock(mutex_);
        batch.swap(pending_);
    }
    if (batch.empty()) return;
    std::fwrite(batch.data(), 1, batch.size(), out_);
    std::fflush(out_);
}

void AccessLog::run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        wake_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
        lock.unlock();
        // Let a burst gather into one write.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        flush();
        lock.lock();
    }
}
