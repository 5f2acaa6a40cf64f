// One resolve against the fake service on loopback, next to a bare libcurl GET of the same
// address: the difference is the engine's own cost per call.
#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <string>

#include "service/LiveSourceResolver.h"
#include "support/FakeService.h"

namespace {

FakeService& service() {
    static FakeService fake;
    return fake;
}

ServiceEndpoints endpoints() {
    ServiceEndpoints e;
    e.hlsHost = service().hostPort();
    return e;
}

size_t appendTo(char* data, size_t size, size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

void BM_ResolveLiveSource(benchmark::State& state) {
    const ServiceEndpoints where = endpoints();
    for (auto _ : state) {
        GbkText address = resolveLiveSource("123456", where);
        if (address.empty()) state.SkipWithError("no address");
        benchmark::DoNotOptimize(address);
    }
}
BENCHMARK(BM_ResolveLiveSource)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_BareCurlGet(benchmark::State& state) {
    const std::string url = liveSourceRequestUrl("123456", endpoints());
    for (auto _ : state) {
        CURL* easy = curl_easy_init();
        std::string body;
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, appendTo);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
        if (curl_easy_perform(easy) != CURLE_OK) state.SkipWithError("no answer");
        curl_easy_cleanup(easy);
        benchmark::DoNotOptimize(body);
    }
}
BENCHMARK(BM_BareCurlGet)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
