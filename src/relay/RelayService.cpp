#include "relay/RelayService.h"

#include <chrono>
#include <cstdio>

#include "http/PlainUrl.h"
#include "relay/RequestTarget.h"
#include "service/LiveSourceResolver.h"
#include "service/PageRange.h"
#include "service/Utf8Playlist.h"
#include "text/Charset.h"
#include "text/PercentByte.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kPageWait{60000};

long long millisecondsSince(Clock::time_point started) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
}

// The address as a header value: bytes outside ASCII percent-encoded, as a URL carries them.
std::string locationOf(std::string_view address) {
    std::string location;
    for (const unsigned char byte : address) {
        if (byte < 0x80) {
            location += static_cast<char>(byte);
        } else {
            appendPercentByte(location, byte);
        }
    }
    return location;
}

RelayResponse answerFor(const Resolution& result) {
    RelayResponse response;
    switch (result.kind) {
        case Resolution::Kind::Unavailable:
            response = textAnswer(503, "too many rooms are being resolved; try again");
            break;
        case Resolution::Kind::NoAddress:
            response = textAnswer(404, "the room has no live address now");
            break;
        case Resolution::Kind::Address:
            // Anything else could split the response or send the player somewhere odd.
            if (!isPlainHttpUrl(result.address)) {
                response = textAnswer(502, "the service answered an unusable address");
                break;
            }
            response = textAnswer(302, "Found");
            response.headers.emplace_back("Location", locationOf(result.address));
            response.headers.emplace_back("Cache-Control", "no-store");
            break;
    }
    response.upstreamMs = result.upstreamMs;
    response.cached = result.fromCache;
    return response;
}

std::string htmlEscaped(std::string_view text) {
    std::string out;
    for (const char c : oneLine(text)) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

}  // namespace

RelayResponse textAnswer(int status, std::string line) {
    RelayResponse response;
    response.status = status;
    response.body = std::move(line) + "\n";
    return response;
}

RelayService::RelayService(RelayConfig config)
    : config_(std::move(config)),
      cache_(config_.cacheLifetime, std::min(config_.failureLifetime, config_.cacheLifetime),
             config_.cacheCapacity),
      upstream_(config_.maxUpstream, config_.upstreamWait),
      pageWorker_(1, kPageWait),
      pages_(config_.endpoints, config_.playlistLifetime) {}

RelayService::~RelayService() { stop(); }

void RelayService::stop() {
    upstream_.stop();
    pageWorker_.stop();
}

void RelayService::handle(const RelayRequest& request, Reply reply) {
    if (request.method != "GET" && request.method != "HEAD") {
        RelayResponse response = textAnswer(405, "only GET and HEAD are answered");
        response.headers.emplace_back("Allow", "GET, HEAD");
        reply(std::move(response));
        return;
    }
    const RequestTarget target = splitTarget(request.target);
    if (target.path == "/dl/yy1.php") {
        const std::optional<std::string> room = roomOfQuery(target);
        if (!room) {
            reply(textAnswer(400, "t must be one room number of 1 to 20 digits"));
            return;
        }
        redirect(*room, std::move(reply));
    } else if (target.path == "/playlist.m3u") {
        playlist(request, std::move(reply));
    } else if (target.path == "/status.json") {
        reply(status());
    } else if (target.path == "/") {
        homePage(request, std::move(reply));
    } else {
        reply(textAnswer(404, "no such page"));
    }
}

void RelayService::redirect(const std::string& room, Reply reply) {
    Resolution hit;
    const RoomCache::Lookup lookup = cache_.lookup(
        room, [reply](const Resolution& result) { reply(answerFor(result)); }, hit);
    if (lookup == RoomCache::Lookup::Hit) {
        reply(answerFor(hit));
        return;
    }
    if (lookup == RoomCache::Lookup::Joined) return;
    upstream_.submit([this, room](bool timedOut) {
        Resolution result;
        if (timedOut) {
            result.kind = Resolution::Kind::Unavailable;
        } else {
            const Clock::time_point started = Clock::now();
            const GbkText address = resolveLiveSource(room, config_.endpoints);
            result.upstreamMs = millisecondsSince(started);
            stats_.recordUpstreamMs(result.upstreamMs);
            result.kind = address.empty() ? Resolution::Kind::NoAddress : Resolution::Kind::Address;
            result.address = gbkToUtf8(address);
        }
        cache_.complete(room, result);
    });
}

std::string RelayService::baseUrl(const RelayRequest& request) const {
    if (!config_.publicUrl.empty()) return config_.publicUrl;
    const std::optional<std::string> host = usableHost(request.host);
    return "http://" + (host ? *host : config_.fallbackHost);
}

void RelayService::playlist(const RelayRequest& request, Reply reply) {
    const std::vector<std::string> asked = splitTarget(request.target).values("pages");
    if (asked.size() > 1) {
        reply(textAnswer(400, "pages must be given once"));
        return;
    }
    const std::optional<PageRange> range =
        asked.empty() ? std::optional(PageRange{1, kPageTotal}) : parsePageRange(asked.front());
    if (!range) {
        reply(textAnswer(400, "pages must be N or A-B with 1 <= A <= B, at most 64 pages"));
        return;
    }
    const std::string base = baseUrl(request);
    pageWorker_.submit([this, range = *range, base, reply](bool timedOut) {
        if (timedOut) {
            reply(textAnswer(503, "the playlist could not be built in time; try again"));
            return;
        }
        std::vector<PlaylistItem> items;
        for (int page = range.first; page <= range.last; ++page) {
            for (const StreamerRow& row : pages_.rows(page)) {
                const std::string room = gbkToUtf8(row.room);
                if (!isRoomNumber(room)) continue;  // the relay would refuse its address
                items.push_back({gbkToUtf8(row.title), room, base + "/dl/yy1.php?t=" + room});
            }
        }
        RelayResponse response;
        response.contentType = "audio/x-mpegurl; charset=utf-8";
        response.body = m3uPlaylist(items);
        reply(std::move(response));
    });
}

void RelayService::homePage(const RelayRequest& request, Reply reply) {
    const std::string base = baseUrl(request);
    pageWorker_.submit([this, base, reply](bool timedOut) {
        if (timedOut) {
            reply(textAnswer(503, "page 1 could not be fetched in time; try again"));
            return;
        }
        std::string html =
            "<!DOCTYPE html>\n<html lang=\"zh\"><head><meta charset=\"utf-8\">"
            "<title>Trovelin relay</title>"
            "<style>body{font-family:sans-serif;margin:2em}td,th{padding:.2em .8em;"
            "text-align:left}</style></head><body>\n<h1>Trovelin relay</h1>\n"
            "<p>Playlist for IPTV apps: <a href=\"" +
            htmlEscaped(base) + "/playlist.m3u\">" + htmlEscaped(base) +
            "/playlist.m3u</a> &middot; <a href=\"/status.json\">status</a></p>\n"
            "<table><tr><th>#</th><th>房间号</th><th>直播标题</th><th>主播名</th>"
            "<th>永久直播源地址</th></tr>\n";
        for (const StreamerRow& row : pages_.rows(1)) {
            const std::string room = gbkToUtf8(row.room);
            const std::string address = base + "/dl/yy1.php?t=" + room;
            html += "<tr><td>" + htmlEscaped(gbkToUtf8(row.ordinal)) + "</td><td>" +
                    htmlEscaped(room) + "</td><td>" + htmlEscaped(gbkToUtf8(row.title)) +
                    "</td><td>" + htmlEscaped(gbkToUtf8(row.streamer)) + "</td><td>";
            html += isRoomNumber(room) ? "<a href=\"" + htmlEscaped(address) + "\">" +
                                             htmlEscaped(address) + "</a>"
                                       : "";
            html += "</td></tr>\n";
        }
        html += "</table>\n</body></html>\n";
        RelayResponse response;
        response.contentType = "text/html; charset=utf-8";
        response.body = std::move(html);
        reply(std::move(response));
    });
}

RelayResponse RelayService::status() const {
    const RelayStats::Latency latency = stats_.upstreamLatency();
    char uptime[32];
    std::snprintf(uptime, sizeof uptime, "%.3f", stats_.uptimeSeconds());
    RelayResponse response;
    response.contentType = "application/json";
    response.body =
        std::string("{\"uptimeSeconds\":") + uptime + ",\"requests\":" + stats_.answersJson() +
        ",\"cache\":{\"entries\":" + std::to_string(cache_.entries()) +
        ",\"hits\":" + std::to_string(cache_.hits()) +
        ",\"misses\":" + std::to_string(cache_.misses()) +
        "},\"upstream\":{\"inFlight\":" + std::to_string(upstream_.busy()) +
        ",\"requests\":" + std::to_string(latency.samples) +
        ",\"latencyMs\":{\"p50\":" + std::to_string(latency.p50) +
        ",\"p90\":" + std::to_string(latency.p90) + ",\"p99\":" + std::to_string(latency.p99) +
        ",\"max\":" + std::to_string(latency.max) + "}}}\n";
    return response;
}
