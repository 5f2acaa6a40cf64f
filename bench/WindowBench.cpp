// Whole-window figures, run by bench/window-figures.sh:
//   window_bench startup HOST:PORT   start, show page 1 of the service at HOST:PORT, end
//   window_bench rss HOST:PORT       the same, then idle a second and print the resident size
//   window_bench batch               200 rows resolved against an in-process fake answering
//                                    after 10 ms; prints the total, 200 x the bare exchange
//                                    and the longest stall of the window's event loop
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/MainWindow.h"
#include "app/QtListView.h"
#include "objects/EvaluationWatchdog.h"
#include "service/CategoryPage.h"
#include "service/LiveSourceResolver.h"
#include "support/FakeService.h"

namespace {

std::filesystem::path scratchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "trovelin-bench-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    return made ? std::filesystem::path(made) : std::filesystem::path();
}

// Calls `then` once, at the first paint after `ready` holds.
class PaintWatch : public QObject {
  public:
    PaintWatch(std::function<bool()> ready, std::function<void()> then)
        : ready_(std::move(ready)), then_(std::move(then)) {}

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !done_ && ready_()) {
            done_ = true;
            QTimer::singleShot(0, this, then_);
        }
        return false;
    }

  private:
    std::function<bool()> ready_;
    std::function<void()> then_;
    bool done_ = false;
};

int startup(const char* service, bool reportResident) {
    const std::filesystem::path folder = scratchFolder();
    ServiceEndpoints endpoints;
    endpoints.hlsHost = service;
    endpoints.pageHost = service;
    AppConfig config;
    int status = 0;
    {
        MainWindow window{RunDirectory(folder), endpoints, config};
        auto* list = window.findChild<QTreeWidget*>(QString::fromUtf8("主播列表"));
        // Ends once page 1's rows have been painted (or a second later, for the idle size).
        PaintWatch painted([list] { return list->topLevelItemCount() > 0; },
                           [&] {
                               QTimer::singleShot(reportResident ? 1000 : 0, &window, [&] {
                                   if (reportResident) {
                                       std::printf(
                                           "idle window resident: %.1f MiB\n",
                                           static_cast<double>(residentBytes()) / (1 << 20));
                                   }
                                   QCoreApplication::quit();
                               });
                           });
        list->viewport()->installEventFilter(&painted);
        window.show();
        QTimer::singleShot(0, &window, [&] { window.onWindowCreated(); });
        status = QApplication::exec();
    }
    std::filesystem::remove_all(folder);
    return status;
}

// The page exchange the start-up includes: fetch, parse and read page 1, median of 7.
int exchange(const char* service) {
    ServiceEndpoints endpoints;
    endpoints.pageHost = service;
    ScriptJson pageJson;
    std::vector<double> times;
    for (int i = 0; i < 7; ++i) {
        const auto started = std::chrono::steady_clock::now();
        fetchCategoryPage(1, pageJson, endpoints);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%.2f\n", times[times.size() / 2]);
    return 0;
}

int batch() {
    FakeService service;
    service.setAnswerDelayMs(10);
    ServiceEndpoints endpoints;
    endpoints.hlsHost = service.hostPort();
    endpoints.pageHost = service.hostPort();
    // The bare exchange: one resolution against the same fake, median of 41.
    std::vector<double> bare;
    for (int i = 0; i < 41; ++i) {
        const auto started = std::chrono::steady_clock::now();
        resolveLiveSource("1", endpoints);
        bare.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
                .count());
    }
    std::sort(bare.begin(), bare.end());
    const double bareMs = bare[bare.size() / 2];
    const std::filesystem::path folder = scratchFolder();
    AppConfig config;
    MainWindow window{RunDirectory(folder), endpoints, config, {}, WindowOptions{true}};
    window.show();
    window.onWindowCreated();
    auto* list = window.findChild<QTreeWidget*>(QString::fromUtf8("主播列表"));
    QtListView rows(list);
    rows.deleteAllRows();
    for (int i = 0; i < 200; ++i) {
        const int row = rows.appendRow();
        rows.setCellText(row, 1, std::to_string(1000 + i));
    }
    // A timer every 5 ms: the longest gap between its ticks is the longest stall.
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
    BatchExtraction extraction(rows, endpoints);
    const auto started = std::chrono::steady_clock::now();
    sinceTick.start();
    ticker.start(5);
    extraction.startExtraction();
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        if (extraction.runningRuns() == 0) QCoreApplication::quit();
    });
    watcher.start(1);
    QApplication::exec();
    const double totalMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started)
            .count();
    ticker.stop();
    std::printf(
        "batch of 200 rows: %.0f ms; 200 x bare exchange (%.2f ms) = %.0f ms; ratio "
        "%.3f (target <= 1.1); longest event-loop stall %lld ms (target <= 50)\n",
        totalMs, bareMs, 200 * bareMs, totalMs / (200 * bareMs),
        static_cast<long long>(longestGap));
    window.shutDown();
    std::filesystem::remove_all(folder);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "startup") == 0) return startup(argv[2], false);
    if (argc == 3 && std::strcmp(argv[1], "rss") == 0) return startup(argv[2], true);
    if (argc == 3 && std::strcmp(argv[1], "exchange") == 0) return exchange(argv[2]);
    if (argc == 2 && std::strcmp(argv[1], "batch") == 0) return batch();
    std::fprintf(stderr, "usage: window_bench startup|rss HOST:PORT | batch\n");
    return 2;
}
