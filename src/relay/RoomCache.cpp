#include "relay/RoomCache.h"

RoomCache::RoomCache(std::chrono::milliseconds addressLifetime,
                     std::chrono::milliseconds failureLifetime, std::size_t capacity)
    : addressLifetime_(addressLifetime), failureLifetime_(failureLifetime), capacity_(capacity) {}

RoomCache::Lookup RoomCache::lookup(const std::string& room, Waiter waiter, Resolution& hit) {
    std::lock_guard lock(mutex_);
    const auto found = entries_.find(room);
    if (found != entries_.end()) {
        Entry& entry = found->second;
        recency_.splice(recency_.begin(), recency_, entry.recency);
        if (entry.pending) {
            entry.waiters.push_back(std::move(waiter));
            ++hits_;  // answered without an upstream request of its own
            return Lookup::Joined;
        }
        if (Clock::now() < entry.expires) {
            ++hits_;
            hit = entry.result;
            hit.fromCache = true;
            return Lookup::Hit;
        }
        entry.pending = true;
        entry.waiters.push_back(std::move(waiter));
        ++misses_;
        return Lookup::Lead;
    }
    ++misses_;
    recency_.push_front(room);
    Entry& entry = entries_[room];
    entry.recency = recency_.begin();
    entry.waiters.push_back(std::move(waiter));
    dropLeastRecent();
    return Lookup::Lead;
}

void RoomCache::complete(const std::string& room, const Resolution& result) {
    std::vector<Waiter> waiters;
    {
        std::lock_guard lock(mutex_);
        const auto found = entries_.find(room);
        if (found == entries_.end()) return;
        Entry& entry = found->second;
        waiters.swap(entry.waiters);
        const std::chrono::milliseconds lifetime =
            result.kind == Resolution::Kind::Address     ? addressLifetime_
            : result.kind == Resolution::Kind::NoAddress ? failureLifetime_
                                                         : std::chrono::milliseconds(0);
        if (lifetime.count() <= 0) {
            recency_.erase(entry.recency);
            entries_.erase(found);
        } else {
            entry.pending = false;
            entry.result = result;
            entry.expires = Clock::now() + lifetime;
        }
    }
    for (Waiter& waiter : waiters) waiter(result);
}

void RoomCache::dropLeastRecent() {
    auto at = recency_.end();
    while (entries_.size() > capacity_ && at != recency_.begin()) {
        --at;
        const auto found = entries_.find(*at);
        if (found->second.pending) continue;
        entries_.erase(found);
        at = recency_.erase(at);
    }
}

std::size_t RoomCache::entries() const {
    std::lock_guard lock(mutex_);
    return entries_.size();
}

long long RoomCache::hits() const {
    std::lock_guard lock(mutex_);
    return hits_;
}

long long RoomCache::misses() const {
    std::lock_guard lock(mutex_);
    return misses_;
}
