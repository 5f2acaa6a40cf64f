// trovelin-relay: answers the permanent addresses with a redirect to the room's live address,
// and serves playlists of the category for IPTV apps.
#include <CLI/CLI.hpp>

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>
#include <thread>

#include "http/HttpRequest.h"
#include "http/PlainUrl.h"
#include "relay/AccessLog.h"
#include "relay/HttpServer.h"
#include "relay/RelayService.h"
#include "text/Charset.h"

namespace {

constexpr int kUsageError = 2;

// "HOST:PORT", the host an IP address (IPv6 in brackets).
bool splitListen(const std::string& listen, std::string& host, int& port) {
    const std::size_t colon = listen.rfind(':');
    if (colon == std::string::npos || colon == 0) return false;
    host = listen.substr(0, colon);
    if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
        host = host.substr(1, host.size() - 2);
    }
    try {
        std::size_t used = 0;
        const std::string portText = listen.substr(colon + 1);
        port = std::stoi(portText, &used);
        return used == portText.size() && port >= 0 && port <= 65535;
    } catch (...) {
        return false;
    }
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Trovelin relay: makes the permanent addresses http://HOST:8866/dl/yy1.php?t=ROOM "
        "play, and serves /playlist.m3u for IPTV apps"};
    app.set_version_flag("--version", std::string("trovelin-relay ") + TROVELIN_VERSION);
    RelayConfig config;
    std::string listen = "127.0.0.1:8866";
    std::string hlsHost = config.endpoints.hlsHost;
    std::string pageHost = config.endpoints.pageHost;
    int cacheSeconds = 30;
    int playlistSeconds = 300;
    int threads = static_cast<int>(std::max(2u, std::thread::hardware_concurrency()));
    app.add_option("--listen", listen, "Address and port to listen on (0.0.0.0:8866 for a LAN)")
        ->capture_default_str();
    app.add_option("--hls-host", hlsHost, "HLS interface host[:port]")->capture_default_str();
    app.add_option("--page-host", pageHost, "Category interface host[:port]")
        ->capture_default_str();
    app.add_option("--public-url", config.publicUrl,
                   "Base URL written into playlists, e.g. http://tv.lan:8866 (default: the "
                   "Host the client asked for)");
    app.add_option("--cache-seconds", cacheSeconds,
                   "How long a room's address is reused (0: no cache)")
        ->check(CLI::Range(0, 86400))
        ->capture_default_str();
    app.add_option("--playlist-seconds", playlistSeconds,
                   "How long a fetched category page is reused")
        ->check(CLI::Range(0, 86400))
        ->capture_default_str();
    app.add_option("--max-upstream", config.maxUpstream,
                   "Rooms resolved at once across all clients")
        ->check(CLI::Range(1, 1024))
        ->capture_default_str();
    app.add_option("--threads", threads, "Connection threads")
        ->check(CLI::Range(1, 256))
        ->capture_default_str();
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kUsageError;
    }
    std::string host;
    int port = 0;
    if (!splitListen(listen, host, port)) {
        std::cerr << "--listen: expected HOST:PORT, e.g. 127.0.0.1:8866\n";
        return kUsageError;
    }
    while (!config.publicUrl.empty() && config.publicUrl.back() == '/') config.publicUrl.pop_back();
    if (!config.publicUrl.empty() && !isPlainHttpUrl(config.publicUrl)) {
        std::cerr << "--public-url: expected an http:// or https:// URL without blanks\n";
        return kUsageError;
    }
    config.endpoints.hlsHost = utf8ToGbk(hlsHost);
    config.endpoints.pageHost = utf8ToGbk(pageHost);
    config.fallbackHost = listen;
    config.cacheLifetime = std::chrono::seconds(cacheSeconds);
    config.playlistLifetime = std::chrono::seconds(playlistSeconds);

    QCoreApplication qt(argc, argv);  // the page worker's script engine needs one
    RelayService service(config);
    AccessLog log(stderr);
    HttpServer server(service, host, port, threads, &log);
    if (!server.listening()) {
        std::cerr << "trovelin-relay: cannot listen on " << listen << ": " << server.error()
                  << '\n';
        return 1;
    }
    server.handleSignals();
    server.start();
    std::cerr << "trovelin-relay: listening on " << listen << " (playlist: http://" << listen
              << "/playlist.m3u)\n";
    server.waitForSignal();
    setRequestsAborted(true);  // upstream requests in flight end now
    server.stop();
    service.stop();
    return 0;
}
