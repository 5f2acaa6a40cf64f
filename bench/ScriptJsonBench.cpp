// A 100-room page as the category client reads it: parse, count, three texts per room; next
// to a native parse of the same answer as the floor.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <string>

#include "objects/ScriptJson.h"
#include "text/Charset.h"

namespace {

const std::string& pageAnswer() {
    static const std::string answer = [] {
        std::string text = R"({"code":0,"data":{"data":[)";
        for (int i = 0; i < 100; ++i) {
            if (i > 0) text += ',';
            text += R"({"name":"主播)" + std::to_string(i) + R"(","desc":"直播标题 )" +
                    std::to_string(i) + R"( 陪你看","sid":)" + std::to_string(10000000 + i) +
                    R"(,"uid":)" + std::to_string(5000 + i) + R"(,"img":"http://img/)" +
                    std::to_string(i) + R"(.jpg"})";
        }
        return text + "]}}";
    }();
    return answer;
}

void BM_PageScriptWork(benchmark::State& state) {
    const GbkText text = utf8ToGbk(pageAnswer());
    ScriptJson pageJson;
    for (auto _ : state) {
        pageJson.parse(text);
        const int n = pageJson.count("data.data");
        for (int i = 0; i < n; ++i) {
            const std::string item = "data.data[" + std::to_string(i) + "].";
            benchmark::DoNotOptimize(pageJson.getText(item + "name"));
            benchmark::DoNotOptimize(pageJson.getText(item + "desc"));
            benchmark::DoNotOptimize(pageJson.getText(item + "sid"));
        }
        if (n != 100) state.SkipWithError("wrong count");
    }
}
BENCHMARK(BM_PageScriptWork)->Unit(benchmark::kMillisecond);

void BM_NativeJsonFloor(benchmark::State& state) {
    const QByteArray bytes = QByteArray::fromStdString(pageAnswer());
    for (auto _ : state) {
        const QJsonArray rooms = QJsonDocument::fromJson(bytes)
                                     .object()
                                     .value(QStringLiteral("data"))
                                     .toObject()
                                     .value(QStringLiteral("data"))
                                     .toArray();
        for (const QJsonValue& room : rooms) {
            const QJsonObject o = room.toObject();
            benchmark::DoNotOptimize(
                utf16ToGbk(o.value(QStringLiteral("name")).toString().toStdU16String()));
            benchmark::DoNotOptimize(
                utf16ToGbk(o.value(QStringLiteral("desc")).toString().toStdU16String()));
            benchmark::DoNotOptimize(QString::number(o.value(QStringLiteral("sid")).toDouble()));
        }
    }
}
BENCHMARK(BM_NativeJsonFloor)->Unit(benchmark::kMillisecond);

void BM_ParseOnly(benchmark::State& state) {
    const GbkText text = utf8ToGbk(pageAnswer());
    ScriptJson pageJson;
    for (auto _ : state) benchmark::DoNotOptimize(pageJson.parse(text));
}
BENCHMARK(BM_ParseOnly)->Unit(benchmark::kMillisecond);

void BM_EngineCreate(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(ScriptEngine::create());
}
BENCHMARK(BM_EngineCreate)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
