#pragma once

#include <chrono>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

// What one upstream resolution of a room gave.
struct Resolution {
    enum class Kind { Address, NoAddress, Unavailable };
    Kind kind = Kind::NoAddress;
    std::string address;  // with Kind::Address
    long long upstreamMs = -1;
    bool fromCache = false;
};

// The rooms' addresses for a while, so that a burst of plays costs one upstream request.
// Concurrent lookups of a room that is not cached share one resolution: the first caller
// leads (it must start the resolution and call complete), the rest wait for its result.
// Least recently used entries go beyond the capacity; waiting entries are never dropped.
class RoomCache {
  public:
    using Clock = std::chrono::steady_clock;
    using Waiter = std::function<void(const Resolution&)>;
    enum class Lookup { Hit, Joined, Lead };

    RoomCache(std::chrono::milliseconds addressLifetime, std::chrono::milliseconds failureLifetime,
              std::size_t capacity);

    // Hit: `hit` holds the cached result and `waiter` is not kept. Joined or Lead: `waiter`
    // is called with the result once the leader completes.
    Lookup lookup(const std::string& room, Waiter waiter, Resolution& hit);
    // Stores the result as its kind allows and hands it to every waiter, outside the lock.
    void complete(const std::string& room, const Resolution& result);

    std::size_t entries() const;
    long long hits() const;
    long long misses() const;

  private:
    struct Entry {
        bool pending = true;
        Resolution result;
        Clock::time_point expires;
        std::vector<Waiter> waiters;
        std::list<std::string>::iterator recency;
    };
    void dropLeastRecent();

    const std::chrono::milliseconds addressLifetime_;
    const std::chrono::milliseconds failureLifetime_;
    const std::size_t capacity_;
    mutable std::mutex mutex_;
    std::unordered_map<std::string, Entry> entries_;
    std::list<std::string> recency_;  // most recent first
    long long hits_ = 0;
    long long misses_ = 0;
};
