#include "relay/PageCache.h"

#include "objects/ScriptJson.h"

PageCache::PageCache(ServiceEndpoints endpoints, std::chrono::milliseconds lifetime)
    : endpoints_(std::move(endpoints)), lifetime_(lifetime) {}

std::vector<StreamerRow> PageCache::rows(int page) {
    const auto now = std::chrono::steady_clock::now();
    const auto found = pages_.find(page);
    if (found != pages_.end() && now - found->second.fetchedAt < lifetime_) {
        return found->second.rows;
    }
    // One script object for the page worker's whole life, on its own thread.
    thread_local ScriptJson pageJson;
    Entry entry{fetchCategoryPage(page, pageJson, endpoints_), now};
    pages_[page] = entry;
    return entry.rows;
}
