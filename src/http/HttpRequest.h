#pragma once

#include <optional>

#include "http/HttpMethod.h"
#include "text/ByteBuffer.h"
#include "text/GbkText.h"

// The arguments of one request. The in/out members are rewritten as the request runs:
// `headers` ends as the header text exactly as sent, `cookies` (when supplied) as the merged
// cookie text, `bodyBytes` as the body bytes sent.
struct HttpRequestArgs {
    GbkText url;
    int method = 0;  // HttpMethod code; anything outside 0..7 is GET
    GbkText body;
    std::optional<GbkText> cookies;  // absent: not supplied, which differs from empty
    GbkText responseCookies;
    GbkText headers;
    GbkText responseHeaders;
    bool noRedirect = false;
    ByteBuffer bodyBytes;
    GbkText proxy;  // host:port, empty for a direct connection
    bool autoMergeCookies = true;
    bool completeHeaders = true;
    bool normalizeHeaderCase = true;
};

// One blocking HTTP(S) exchange; returns the response body as delivered, whatever its status,
// and an empty buffer when the request cannot be set up. Safe to call on any thread.
ByteBuffer httpRequest(HttpRequestArgs& args);

// GET with every other argument omitted.
ByteBuffer httpRequest(const GbkText& url, HttpMethod method = HttpMethod::Get);

// Loads the HTTP engine now rather than at the first request; false when it cannot be had.
bool preloadHttpEngine();

// Process-wide switch the program sets when it ends: every request in flight returns promptly
// and new ones return empty at once.
void setRequestsAborted(bool aborted);
bool requestsAborted();

// Limits that keep a hostile or dead server from holding a caller or its memory. A body over
// the limit makes the call return empty.
struct HttpLimits {
    long connectTimeoutSeconds = 60;
    long stallTimeoutSeconds = 30;  // no byte for this long ends the transfer
    // The whole exchange, connecting included, ends this long after it started; what arrived
    // until then is kept, as after a stall. 0 sets no deadline.
    long totalTimeoutSeconds = 60;
    long long maxBodyBytes = 64LL << 20;
    long long maxHeaderBytes = 1LL << 20;
};
HttpLimits httpLimits();
void setHttpLimits(const HttpLimits& limits);
