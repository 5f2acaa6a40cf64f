// trovelin-cli: the service client from a shell, on the same libraries as the window.
#include <CLI/CLI.hpp>

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "objects/ScriptJson.h"
#include "service/CategoryPage.h"
#include "service/LiveSourceResolver.h"
#include "service/ServiceEndpoints.h"
#include "text/Charset.h"

namespace {

constexpr int kUsageError = 2;

// Prints each room, a tab and its address in UTF-8; 0 when every room got one.
int resolveRooms(const std::vector<std::string>& rooms, const ServiceEndpoints& endpoints) {
    bool all = true;
    for (const std::string& room : rooms) {
        const GbkText address = resolveLiveSource(utf8ToGbk(room), endpoints);
        if (address.empty()) all = false;
        std::cout << room << '\t' << gbkToUtf8(address) << '\n';
    }
    std::cout.flush();
    return all ? 0 : 1;
}

// Prints the rows of a page as the streamer list shows them: five tab-separated columns.
int printPage(int page, const ServiceEndpoints& endpoints) {
    ScriptJson pageJson;
    for (const StreamerRow& row : fetchCategoryPage(page, pageJson, endpoints)) {
        std::cout << gbkToUtf8(row.ordinal) << '\t' << gbkToUtf8(row.room) << '\t'
                  << gbkToUtf8(row.title) << '\t' << gbkToUtf8(row.streamer) << '\t'
                  << gbkToUtf8(row.permanent) << '\n';
    }
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
    app.add_option("--hls-host", hlsHost, "HLS interface host[:port]")->capture_default_str();
    app.add_option("--page-host", pageHost, "Category interface host[:port]")
        ->capture_default_str();
    app.add_option("--relay-host", relayHost, "Relay host[:port] of the permanent addresses")
        ->capture_default_str();

    std::vector<std::string> rooms;
    CLI::App* resolve = app.add_subcommand("resolve", "Print the live HLS address of each room");
    resolve->add_option("room", rooms, "Room numbers")->required();

    int page = 1;
    CLI::App* pageCommand = app.add_subcommand("page", "Print the rooms of a category page");
    pageCommand->add_option("number", page, "Page number (below 1 means 1)")->required();

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
    if (resolve->parsed()) return resolveRooms(rooms, endpoints);
    if (pageCommand->parsed()) {
        QCoreApplication qt(argc, argv);  // the script engine needs one
        return printPage(page, endpoints);
    }
    return kUsageError;
}
