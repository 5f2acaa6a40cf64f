#pragma once

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// Runs `work` for items 0..count-1 on at most `jobs` threads at once and hands each result to
// `deliver` in item order, as soon as every earlier item has been emitted. `deliver` runs on one
// thread at a time.
template <typename Result>
void runInOrder(std::size_t count, int jobs, const std::function<Result(std::size_t)>& work,
                const std::function<void(std::size_t, const Result&)>& deliver) {
    std::vector<std::optional<Result>> results(count);
    std::mutex mutex;
    std::size_t nextToEmit = 0;
    std::atomic<std::size_t> nextToStart{0};
    auto worker = [&] {
        for (std::size_t i = nextToStart++; i < count; i = nextToStart++) {
            Result result = work(i);
            std::lock_guard lock(mutex);
            results[i] = std::move(result);
            while (nextToEmit < count && results[nextToEmit]) {
                deliver(nextToEmit, *results[nextToEmit]);
                results[nextToEmit].reset();
                ++nextToEmit;
            }
        }
    };
    const std::size_t threads =
        std::min<std::size_t>(count, static_cast<std::size_t>(std::max(1, jobs)));
    std::vector<std::thread> pool;
    for (std::size_t t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (std::thread& thread : pool) thread.join();
}
