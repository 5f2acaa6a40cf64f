// trovelin-cli run as a user runs it, against the fake service.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

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
