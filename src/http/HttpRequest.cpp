#include "http/HttpRequest.h"

#include "http/Cookies.h"
#include "http/HttpTransfer.h"
#include "http/RequestHeaders.h"
#include "http/UrlSplit.h"
#include "text/PercentByte.h"
#include "text/TextPrimitives.h"

namespace {

bool isControlByte(unsigned char byte) { return byte < 0x20 || byte == 0x7F; }

bool holdsControlByte(std::string_view text, bool tabAllowed = false) {
    for (unsigned char byte : text) {
        if (isControlByte(byte) && !(tabAllowed && byte == '\t')) return true;
    }
    return false;
}

// The agent as far as it can stand on one header line.
GbkText singleLine(const GbkText& agent) {
    for (std::size_t i = 0; i < agent.size(); ++i) {
        const auto byte = static_cast<unsigned char>(agent[i]);
        if (isControlByte(byte) && byte != '\t') return agent.substr(0, i);
    }
    return agent;
}

// Host names that can reach a resolver as they are; anything else cannot be connected to.
bool isPlainHostName(std::string_view host) {
    if (host.empty()) return false;
    for (char c : host) {
        const bool ok =
            (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        if (!ok) return false;
    }
    return true;
}

// Blanks and bytes of 0x80 and above never go on the request line raw.
std::string encodePath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (unsigned char byte : path) {
        if (byte == ' ' || byte >= 0x80) {
            appendPercentByte(out, byte);
        } else {
            out += static_cast<char>(byte);
        }
    }
    return out;
}

// A port the platform would take as "the default of the service" (0), or a real one.
int connectionPort(int port, bool https) {
    if (port == 0) return https ? 443 : 80;
    return port;
}

}  // namespace

ByteBuffer httpRequest(HttpRequestArgs& args) {
    if (args.normalizeHeaderCase) args.headers = normalizeHeaderNames(args.headers);
    const HttpMethod method = methodFromCode(args.method);
    const bool https = startsWithText(args.url, "https://", true);
    const GbkText agent = chooseUserAgent(args.headers);

    // Setting up: an address that cannot be connected to as it stands sends nothing.
    const int port = connectionPort(urlPort(args.url), https);
    WireRequest wire;
    wire.https = https;
    wire.host = urlHost(args.url);
    wire.port = port;
    wire.path = encodePath(urlPath(args.url));
    wire.method = method;
    wire.userAgent = singleLine(agent);
    wire.noRedirect = args.noRedirect;
    wire.proxy = args.proxy;
    if (holdsControlByte(args.url) || holdsControlByte(args.proxy) || !isPlainHostName(wire.host) ||
        port < 1 || port > 65535 || requestsAborted()) {
        return {};
    }

    if (args.completeHeaders) {
        args.headers = completeRequestHeaders(args.headers, args.url, method);
    }
    if (args.cookies && !args.cookies->empty()) {
        args.headers = appendCookieHeader(args.headers, *args.cookies);
    }
    if (method != HttpMethod::Get) {
        if (args.bodyBytes.empty()) args.bodyBytes = bufferOf(args.body);
        if (!args.bodyBytes.empty()) wire.body = &args.bodyBytes;
    }

    // A header line holding a control byte could split the request: such a send fails.
    bool sendable = true;
    for (GbkText& line : splitText(args.headers, "\r\n")) {
        if (line.empty()) continue;
        if (holdsControlByte(line, true)) sendable = false;
        wire.headerLines.push_back(std::move(line));
    }

    WireResponse response;
    if (sendable) performTransfer(wire, response);
    args.responseHeaders = std::move(response.rawHeaders);
    args.responseCookies = collectSetCookies(args.responseHeaders);
    if (args.autoMergeCookies && args.cookies) {
        args.responseCookies = mergeCookies(*args.cookies, args.responseCookies);
    }
    return std::move(response.body);
}

ByteBuffer httpRequest(const GbkText& url, HttpMethod method) {
    HttpRequestArgs args;
    args.url = url;
    args.method = static_cast<int>(method);
    return httpRequest(args);
}
