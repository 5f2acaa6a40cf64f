// Throughput of the searches the resolver runs over a whole answer.
#include <benchmark/benchmark.h>

#include <string>

#include "text/TextCutting.h"
#include "text/TextPrimitives.h"

namespace {

// 16 MiB of mostly ASCII JSON-like text with a Chinese title now and then, and the address
// near the end.
const std::string& largeAnswer() {
    static const std::string answer = [] {
        const std::string filler =
            R"({"sid":123456,"name":"streamer","desc":"\xD6\xD0\xCE\xC4 title here","h":"x"},)";
        std::string text = "jsonp3({\"list\":[";
        while (text.size() < (16u << 20)) text += filler;
        text += R"(],"hls":"http://example.com/live/abc.m3u8","code":0})";
        return text;
    }();
    return answer;
}

void BM_TextBetweenLargeAnswer(benchmark::State& state) {
    const std::string& answer = largeAnswer();
    for (auto _ : state) {
        GbkText address = textBetween(answer, "hls\":\"", "\",");
        benchmark::DoNotOptimize(address);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answer.size()));
}
BENCHMARK(BM_TextBetweenLargeAnswer)->Unit(benchmark::kMillisecond);

void BM_FindTextLargeAnswer(benchmark::State& state) {
    const std::string& answer = largeAnswer();
    for (auto _ : state) {
        benchmark::DoNotOptimize(findText(answer, "\"code\":"));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answer.size()));
}
BENCHMARK(BM_FindTextLargeAnswer)->Unit(benchmark::kMillisecond);

void BM_FindTextCaseInsensitive(benchmark::State& state) {
    const std::string& answer = largeAnswer();
    for (auto _ : state) {
        benchmark::DoNotOptimize(findText(answer, "\"CODE\":", 0, true));
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * answer.size()));
}
BENCHMARK(BM_FindTextCaseInsensitive)->Unit(benchmark::kMillisecond);

}  // namespace
