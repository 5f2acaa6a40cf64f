// The fake service as a program, for trying the tools by hand:
//   build/tests/support/trovelin-fake-service &   (prints its host:port, runs until killed)
//   build/src/cli/trovelin-cli resolve --hls-host 127.0.0.1:PORT 123
#include <unistd.h>

#include <csignal>
#include <cstdio>

#include "support/FakeService.h"

namespace {
volatile std::sig_atomic_t stop = 0;
void onSignal(int) { stop = 1; }
}  // namespace

int main() {
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    FakeService service;
    service.setPageAnswer(1,
                          "{\"data\":{\"data\":[{\"name\":\"\xE4\xB8\xBB\xE6\x92\xAD\","
                          "\"desc\":\"\xE9\x99\xAA\xE4\xBD\xA0\xE7\x9C\x8B\",\"sid\":123},"
                          "{\"name\":\"b\",\"desc\":\"title\",\"sid\":\"456\"}]}}");
    std::printf("%s\n", service.hostPort().c_str());
    std::fflush(stdout);
    while (!stop) ::usleep(100000);
    return 0;
}
