// trovelin-cli run as a user runs it, against the fake service.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "support/FakeService.h"

namespace {

struct RunResult {
    int status;
    std::string out;
};

RunResult runCli(const std::string& arguments) {
    const std::string command = std::string(TROVELIN_CLI_PATH) + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {-1, {}};
    std::string out;
    std::array<char, 4096> buffer{};
    while (std::fgets(buffer.data(), buffer.size(), pipe) != nullptr) out += buffer.data();
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

TEST(TrovelinCli, ResolvePrintsRoomTabAddress) {
    FakeService service;
    service.setRoomAnswer("9", "jsonp3({\"hls\":\"\xE4\xB8\xAD\\/x\",\"a\":1})");
    const RunResult all = runCli("resolve --hls-host " + service.hostPort() + " 123 9");
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.out, "123\t" + FakeService::addressOf("123") + "\n9\t\xE4\xB8\xAD/x\n");

    service.setRoomAnswer("404", "not found");
    const RunResult some = runCli("resolve 404 5 --hls-host " + service.hostPort());
    EXPECT_EQ(some.status, 1);
    EXPECT_EQ(some.out, "404\t\n5\t" + FakeService::addressOf("5") + "\n");
}

TEST(TrovelinCli, PagePrintsTheRows) {
    FakeService service;
    service.setPageAnswer(
        2, "{\"data\":{\"data\":[{\"name\":\"n\",\"desc\":\"\xE4\xB8\xAD\",\"sid\":5}]}}");
    const RunResult page =
        runCli("page 2 --page-host " + service.hostPort() + " --relay-host relay.test");
    EXPECT_EQ(page.status, 0);
    EXPECT_EQ(page.out, "1\t5\t\xE4\xB8\xAD\tn\thttp://relay.test/dl/yy1.php?t=5\n");
    EXPECT_EQ(runCli("page --page-host " + service.hostPort() + " 3").out, "");
    EXPECT_EQ(runCli("page two").status, 2);
}

TEST(TrovelinCli, ControlBytesNeverSplitAField) {
    FakeService service;
    service.setRoomAnswer("7", "jsonp3({\"hls\":\"http:\\/\\/x\\/a\\r\\nb\\tc\",\"code\":0})");
    const RunResult resolved = runCli("resolve --hls-host " + service.hostPort() + " 7");
    EXPECT_EQ(resolved.out, "7\thttp://x/a  b c\n");
    service.setPageAnswer(1,
                          "{\"data\":{\"data\":[{\"name\":\"a\\tb\",\"desc\":\"x\\r\\n"
                          "#EXTINF:-1,evil\",\"sid\":5}]}}");
    EXPECT_EQ(runCli("page 1 --page-host " + service.hostPort() + " --relay-host r").out,
              "1\t5\tx  #EXTINF:-1,evil\ta b\thttp://r/dl/yy1.php?t=5\n");
    const RunResult playlist =
        runCli("playlist --pages 1 --page-host " + service.hostPort() + " --relay-host r");
    EXPECT_EQ(playlist.out,
              "#EXTM3U\n#EXTINF:-1 group-title=\"YY影视轮播\","
              "x  #EXTINF:-1,evil【"
              "5】\nhttp://r/dl/yy1.php?t=5\n");
}

// Splits output into its lines.
std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at);
        lines.push_back(text.substr(at, end - at));
        at = end == std::string::npos ? text.size() : end + 1;
    }
    return lines;
}

// The fields of a tab-separated line, the milliseconds left out as they vary.
std::vector<std::string> checkFields(const std::string& line) {
    std::vector<std::string> fields;
    for (std::size_t at = 0;;) {
        const std::size_t tab = line.find('\t', at);
        fields.push_back(line.substr(at, tab - at));
        if (tab == std::string::npos) break;
        at = tab + 1;
    }
    if (fields.size() == 5) fields.erase(fields.begin() + 3);
    return fields;
}

TEST(TrovelinCli, CheckTellsAliveOfflineAndDeadInInputOrder) {
    FakeService service;
    for (const char* room : {"1", "2", "3", "4"}) service.setRoomLive(room);
    service.setRoomAnswer("5", "no address here");
    service.setStreamAnswer("2", 404, "not here");
    service.setStreamAnswer("3", 200, "<html>not a playlist</html>");
    service.setStreamAnswer("4", 200, "#EXTM3U\n", 3000);  // slow: answers after the others
    const RunResult run = runCli("check --jobs 4 --hls-host " + service.hostPort() + " 4 1 2 3 5");
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 5u) << run.out;
    using F = std::vector<std::string>;
    EXPECT_EQ(checkFields(lines[0]), (F{"4", "alive", "200", service.liveUrlOf("4")}));
    EXPECT_EQ(checkFields(lines[1]), (F{"1", "alive", "200", service.liveUrlOf("1")}));
    EXPECT_EQ(checkFields(lines[2]), (F{"2", "dead", "404", service.liveUrlOf("2")}));
    EXPECT_EQ(checkFields(lines[3]), (F{"3", "dead", "200", service.liveUrlOf("3")}));
    EXPECT_EQ(checkFields(lines[4]), (F{"5", "offline", "no-address", ""}));

    const RunResult alive = runCli("check --json --hls-host " + service.hostPort() + " 1");
    EXPECT_EQ(alive.status, 0);
    EXPECT_EQ(alive.out.rfind("{\"room\":\"1\",\"state\":\"alive\",\"status\":\"200\",\"ms\":", 0),
              0u)
        << alive.out;
    EXPECT_NE(alive.out.find(",\"address\":\"" + service.liveUrlOf("1") + "\"}\n"),
              std::string::npos);

    // A stream slower than the timeout is dead, and the check does not wait for it.
    const RunResult slow = runCli("check --timeout 1 --hls-host " + service.hostPort() + " 4");
    EXPECT_EQ(checkFields(linesOf(slow.out)[0]),
              (F{"4", "dead", "no-answer", service.liveUrlOf("4")}));
}

TEST(TrovelinCli, JobsBoundTheRoomsCheckedAtOnce) {
    FakeService service;
    std::string rooms;
    for (int room = 1; room <= 12; ++room) {
        service.setRoomLive(std::to_string(room));
        rooms += " " + std::to_string(room);
    }
    service.setAnswerDelayMs(100);
    const RunResult run = runCli("check --jobs 3 --hls-host " + service.hostPort() + rooms);
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_EQ(linesOf(run.out).size(), 12u);
    EXPECT_GE(service.maxConcurrentRequests(), 2);
    EXPECT_LE(service.maxConcurrentRequests(), 3);
}

TEST(TrovelinCli, PlaylistOfPagesPermanentResolvedOrAliveOnly) {
    FakeService service;
    service.setPageAnswer(
        1,
        R"({"data":{"data":[{"name":"a","desc":"A","sid":1},{"name":"b","desc":"B","sid":2}]}})");
    service.setPageAnswer(2, R"({"data":{"data":[{"name":"c","desc":"C","sid":3}]}})");
    for (const char* room : {"1", "2", "3"}) service.setRoomLive(room);
    service.setStreamAnswer("2", 500, "");
    const std::string hosts =
        " --page-host " + service.hostPort() + " --hls-host " + service.hostPort();
    const std::string head = "#EXTINF:-1 group-title=\"YY影视轮播\",";
    auto entry = [&](const std::string& title, const std::string& room, const std::string& url) {
        return head + title + "【" + room + "】\n" + url + "\n";
    };
    auto permanent = [](const std::string& room) {
        return "http://relay.lan:8866/dl/yy1.php?t=" + room;
    };
    EXPECT_EQ(runCli("playlist --pages 1-2 --relay-host relay.lan:8866" + hosts).out,
              "#EXTM3U\n" + entry("A", "1", permanent("1")) + entry("B", "2", permanent("2")) +
                  entry("C", "3", permanent("3")));
    EXPECT_EQ(runCli("playlist --pages 1-2 --resolve" + hosts).out,
              "#EXTM3U\n" + entry("A", "1", service.liveUrlOf("1")) +
                  entry("B", "2", service.liveUrlOf("2")) +
                  entry("C", "3", service.liveUrlOf("3")));
    EXPECT_EQ(runCli("playlist --pages 1-2 --alive-only --resolve" + hosts).out,
              "#EXTM3U\n" + entry("A", "1", service.liveUrlOf("1")) +
                  entry("C", "3", service.liveUrlOf("3")));
    EXPECT_EQ(runCli("playlist --pages 0-2" + hosts).status, 2);
    EXPECT_EQ(runCli("playlist --pages 1-65" + hosts).status, 2);
    EXPECT_EQ(runCli("playlist --pages 3-1" + hosts).status, 2);
}

TEST(TrovelinCli, UsageErrors) {
    EXPECT_EQ(runCli("").status, 2);
    EXPECT_EQ(runCli("resolve").status, 2);
    EXPECT_EQ(runCli("frobnicate 1").status, 2);
    const RunResult wrong = runCli("resolve --no-such-flag 1");
    EXPECT_EQ(wrong.status, 2);
    EXPECT_FALSE(wrong.out.empty());
    EXPECT_EQ(runCli("--help").status, 0);
}

}  // namespace
