// The fake service as a program, for trying the tools by hand and for the load benchmarks:
//   build/tests/support/trovelin-fake-service &   (prints its host:port, runs until killed)
//   build/src/cli/trovelin-cli resolve --hls-host 127.0.0.1:PORT 123
#include <unistd.h>
#include <CLI/CLI.hpp>

#include <csignal>
#include <cstdio>
#include <string>

#include "support/FakeService.h"

namespace {
volatile std::sig_atomic_t stop = 0;
void onSignal(int) { stop = 1; }

// A page of `rooms` ordinary rooms.
std::string pageOf(int page, int rooms) {
    std::string body = "{\"code\":0,\"data\":{\"data\":[";
    for (int i = 0; i < rooms; ++i) {
        const int room = page * 1000 + i;
        if (i > 0) body += ',';
        body += "{\"name\":\"\xE4\xB8\xBB\xE6\x92\xAD" + std::to_string(i) +
                "\",\"desc\":\"\xE9\x99\xAA\xE4\xBD\xA0\xE7\x9C\x8B " + std::to_string(room) +
                "\",\"sid\":" + std::to_string(room) + "}";
    }
    return body + "]}}";
}

// Answers that try to hang a page load or eat memory.
std::string hostilePage(const std::string& kind) {
    const std::string rooms =
        "(function () { var hold = []; var a = []; for (var i = 0; i < 100;"
        " i++) { a.push(ITEM); } return {data: {data: a}}; })()";
    auto with = [&](const std::string& item) {
        std::string page = rooms;
        page.replace(page.find("ITEM"), 4, item);
        return page;
    };
    if (kind == "sparse") return "{\"data\":{\"data\":new Array(4294967295)}}";
    if (kind == "allocating") {
        return with(
            "{get name() { hold.push(new Array(4000000).fill(i)); return 'x'; },"
            " desc: 'd', sid: i}");
    }
    if (kind == "looping") return with("{get name() { while (true) {} }, desc: 'd', sid: i}");
    if (kind == "rows") {
        return "(function () { var a = []; for (var i = 0; i < 1000000; i++) a.push({name: 'n',"
               " desc: 'd', sid: i}); return {data: {data: a}}; })()";
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"The fake YY service on 127.0.0.1, for trying the tools by hand"};
    int delayMs = 0;
    int pages = 0;
    int roomsPerPage = 100;
    bool allLive = false;
    int liveDelayMs = 0;
    std::string hostile;
    app.add_option("--delay-ms", delayMs, "Answer every request after this long");
    app.add_option("--pages", pages,
                   "Serve pages 1..N of ordinary rooms (default: a small page 1)");
    app.add_option("--rooms-per-page", roomsPerPage, "Rooms on each of those pages");
    app.add_flag("--live", allLive, "Every room's live address is a playlist on this fake");
    app.add_option("--live-delay-ms", liveDelayMs, "Live playlists answer after this long");
    app.add_option("--hostile", hostile, "Page 1 is hostile: sparse, allocating, looping, rows");
    CLI11_PARSE(app, argc, argv);

    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    FakeService service;
    service.setAnswerDelayMs(delayMs);
    service.setAllRoomsLive(allLive);
    service.setLiveDelayMs(liveDelayMs);
    service.setPageAnswer(1,
                          "{\"data\":{\"data\":[{\"name\":\"\xE4\xB8\xBB\xE6\x92\xAD\","
                          "\"desc\":\"\xE9\x99\xAA\xE4\xBD\xA0\xE7\x9C\x8B\",\"sid\":123},"
                          "{\"name\":\"b\",\"desc\":\"title\",\"sid\":\"456\"}]}}");
    for (int page = 1; page <= pages; ++page)
        service.setPageAnswer(page, pageOf(page, roomsPerPage));
    if (!hostile.empty()) service.setPageAnswer(1, hostilePage(hostile));
    std::printf("%s\n", service.hostPort().c_str());
    std::fflush(stdout);
    while (!stop) ::usleep(100000);
    return 0;
}
