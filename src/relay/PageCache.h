#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <vector>

#include "service/CategoryPage.h"
#include "service/ServiceEndpoints.h"

// Category pages kept for a while, so that a playlist costs the service one fetch per page
// per lifetime however many clients subscribe. Fetching is blocking script work: call
// `rows` from one thread only (the relay's page worker), which owns the script object.
class PageCache {
  public:
    PageCache(ServiceEndpoints endpoints, std::chrono::milliseconds lifetime);

    std::vector<StreamerRow> rows(int page);

  private:
    struct Entry {
        std::vector<StreamerRow> rows;
        std::chrono::steady_clock::time_point fetchedAt;
    };
    const ServiceEndpoints endpoints_;
    const std::chrono::milliseconds lifetime_;
    std::map<int, Entry> pages_;
};
