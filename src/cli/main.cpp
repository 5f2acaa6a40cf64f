// trovelin-cli: the service client from a shell, on the same libraries as the window.
#include <unistd.h>
#include <CLI/CLI.hpp>

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/InOrder.h"
#include "cli/JsonText.h"
#include "http/HttpRequest.h"
#include "objects/ScriptJson.h"
#include "service/CategoryPage.h"
#include "service/LiveSourceResolver.h"
#include "service/PageRange.h"
#include "service/RoomCheck.h"
#include "service/ServiceEndpoints.h"
#include "service/Utf8Playlist.h"
#include "text/Charset.h"

namespace {

constexpr int kUsageError = 2;

// A field of tab-separated output: program text in UTF-8, on one line, without tabs.
std::string field(const GbkText& text) { return oneLine(gbkToUtf8(text)); }

void setTimeout(long seconds) {
    HttpLimits limits = httpLimits();
    limits.totalTimeoutSeconds = seconds;
    limits.connectTimeoutSeconds = std::min(limits.connectTimeoutSeconds, seconds);
    limits.stallTimeoutSeconds = std::min(limits.stallTimeoutSeconds, seconds);
    setHttpLimits(limits);
}

// Prints each room, a tab and its address in UTF-8; 0 when every room got one.
int resolveRooms(const std::vector<std::string>& rooms, const ServiceEndpoints& endpoints) {
    bool all = true;
    for (const std::string& room : rooms) {
        const GbkText address = resolveLiveSource(utf8ToGbk(room), endpoints);
        if (address.empty()) all = false;
        std::cout << oneLine(room) << '\t' << field(address) << '\n';
    }
    std::cout.flush();
    return all ? 0 : 1;
}

// Prints the rows of a page as the streamer list shows them: five tab-separated columns.
int printPage(int page, const ServiceEndpoints& endpoints) {
    ScriptJson pageJson;
    for (const StreamerRow& row : fetchCategoryPage(page, pageJson, endpoints)) {
        std::cout << field(row.ordinal) << '\t' << field(row.room) << '\t' << field(row.title)
                  << '\t' << field(row.streamer) << '\t' << field(row.permanent) << '\n';
    }
    std::cout.flush();
    return 0;
}

std::vector<StreamerRow> roomsOfPages(const PageRange& pages, const ServiceEndpoints& endpoints) {
    std::vector<StreamerRow> rooms;
    ScriptJson pageJson;
    for (int page = pages.first; page <= pages.last; ++page) {
        for (StreamerRow& row : fetchCategoryPage(page, pageJson, endpoints)) {
            rooms.push_back(std::move(row));
        }
    }
    return rooms;
}

void showProgress(std::size_t done, std::size_t total) {
    if (::isatty(STDERR_FILENO) == 0) return;
    std::fprintf(stderr, "\r%zu/%zu", done, total);
    if (done == total) std::fputs("\n", stderr);
    std::fflush(stderr);
}

// One line per room in input order: room, state, status, milliseconds, address.
int checkRooms(const std::vector<GbkText>& rooms, const ServiceEndpoints& endpoints, int jobs,
               bool json) {
    bool allAlive = true;
    runInOrder<RoomCheck>(
        rooms.size(), jobs, [&](std::size_t i) { return checkRoom(rooms[i], endpoints); },
        [&](std::size_t i, const RoomCheck& check) {
            if (check.state != RoomCheck::State::Alive) allAlive = false;
            const std::string room = gbkToUtf8(rooms[i]);
            const std::string address = gbkToUtf8(check.address);
            if (json) {
                std::cout << "{\"room\":" << jsonString(room) << ",\"state\":\""
                          << stateName(check.state) << "\",\"status\":" << jsonString(check.status)
                          << ",\"ms\":" << check.milliseconds
                          << ",\"address\":" << jsonString(address) << "}\n";
            } else {
                std::cout << oneLine(room) << '\t' << stateName(check.state) << '\t'
                          << oneLine(check.status) << '\t' << check.milliseconds << '\t'
                          << oneLine(address) << '\n';
            }
            std::cout.flush();
            showProgress(i + 1, rooms.size());
        });
    return allAlive ? 0 : 1;
}

// The UTF-8 playlist of the pages: permanent addresses, or live ones with `resolve`.
int printPlaylist(const PageRange& pages, const ServiceEndpoints& endpoints, int jobs, bool resolve,
                  bool aliveOnly) {
    const std::vector<StreamerRow> rows = roomsOfPages(pages, endpoints);
    std::vector<PlaylistItem> items;
    runInOrder<std::optional<PlaylistItem>>(
        rows.size(), jobs,
        [&](std::size_t i) -> std::optional<PlaylistItem> {
            const StreamerRow& row = rows[i];
            GbkText address = row.permanent;
            if (aliveOnly) {
                const RoomCheck check = checkRoom(row.room, endpoints);
                if (check.state != RoomCheck::State::Alive) return std::nullopt;
                if (resolve) address = check.address;
            } else if (resolve) {
                address = resolveLiveSource(row.room, endpoints);
                if (address.empty()) return std::nullopt;
            }
            return PlaylistItem{gbkToUtf8(row.title), gbkToUtf8(row.room), gbkToUtf8(address)};
        },
        [&](std::size_t, const std::optional<PlaylistItem>& item) {
            if (item) items.push_back(*item);
        });
    std::cout << m3uPlaylist(items);
    std::cout.flush();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Trovelin command-line client for the YY live service"};
    app.require_subcommand(1);
    app.fallthrough();  // host options may follow the subcommand
    ServiceEndpoints endpoints;
    std::string hlsHost = endpoints.hlsHost;
    std::string pageHost = endpoints.pageHost;
    std::string relayHost = endpoints.relayHost;
    std::optional<long> timeout;
    app.add_option("--hls-host", hlsHost, "HLS interface host[:port]")->capture_default_str();
    app.add_option("--page-host", pageHost, "Category interface host[:port]")
        ->capture_default_str();
    app.add_option("--relay-host", relayHost, "Relay host[:port] of the permanent addresses")
        ->capture_default_str();
    app.add_option("--timeout", timeout,
                   "Seconds one exchange may take in all (default 60; 10 for check)")
        ->check(CLI::Range(1L, 86400L));

    std::vector<std::string> rooms;
    CLI::App* resolve = app.add_subcommand("resolve", "Print the live HLS address of each room");
    resolve->add_option("room", rooms, "Room numbers")->required();

    int page = 1;
    CLI::App* pageCommand = app.add_subcommand("page", "Print the rooms of a category page");
    pageCommand->add_option("number", page, "Page number (below 1 means 1)")->required();

    std::string pagesText;
    int jobs = 8;
    bool json = false;
    std::vector<std::string> checkRoomsGiven;
    CLI::App* check = app.add_subcommand("check", "Tell which rooms are live right now");
    check->add_option("room", checkRoomsGiven, "Room numbers");
    check->add_option("--pages", pagesText, "Category pages, as 3 or 1-3");
    check->add_option("--jobs", jobs, "Rooms checked at once")->check(CLI::Range(1, 256));
    check->add_flag("--json", json, "One JSON object per line");

    bool resolveLive = false;
    bool aliveOnly = false;
    CLI::App* playlist = app.add_subcommand("playlist", "Write the UTF-8 M3U playlist of pages");
    playlist->add_option("--pages", pagesText, "Category pages, as 3 or 1-3")->required();
    playlist->add_flag("--resolve", resolveLive, "Live addresses instead of permanent ones");
    playlist->add_flag("--alive-only", aliveOnly, "Only rooms that are live right now");
    playlist->add_option("--jobs", jobs, "Rooms resolved at once")->check(CLI::Range(1, 256));

    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForAllHelp& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kUsageError;
    }
    endpoints.hlsHost = utf8ToGbk(hlsHost);
    endpoints.pageHost = utf8ToGbk(pageHost);
    endpoints.relayHost = utf8ToGbk(relayHost);
    setTimeout(timeout.value_or(check->parsed() ? 10 : 60));

    std::optional<PageRange> pages;
    if (!pagesText.empty()) {
        pages = parsePageRange(pagesText);
        if (!pages) {
            std::cerr << "--pages: expected N or A-B with 1 <= A <= B, at most " << kMaxPagesAtOnce
                      << " pages\n";
            return kUsageError;
        }
    }
    if (resolve->parsed()) return resolveRooms(rooms, endpoints);
    QCoreApplication qt(argc, argv);  // the script engine needs one
    if (pageCommand->parsed()) return printPage(page, endpoints);
    if (check->parsed()) {
        if (!checkRoomsGiven.empty() == pages.has_value()) {  // both, or neither
            std::cerr << "check: give room numbers or --pages, not both\n";
            return kUsageError;
        }
        std::vector<GbkText> targets;
        for (const std::string& room : checkRoomsGiven) targets.push_back(utf8ToGbk(room));
        if (pages) {
            for (const StreamerRow& row : roomsOfPages(*pages, endpoints)) {
                targets.push_back(row.room);
            }
        }
        return checkRooms(targets, endpoints, jobs, json);
    }
    if (playlist->parsed()) return printPlaylist(*pages, endpoints, jobs, resolveLive, aliveOnly);
    return kUsageError;
}
