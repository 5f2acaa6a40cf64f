#pragma once

#include <string>
#include <vector>

#include "http/HttpMethod.h"
#include "text/ByteBuffer.h"

// One request as it goes on the wire, after the engine has prepared every text.
struct WireRequest {
    bool https = false;
    std::string host;
    int port = 80;
    std::string path;
    HttpMethod method = HttpMethod::Get;
    std::vector<std::string> headerLines;
    std::string userAgent;             // sent only when no header line names its own
    const ByteBuffer* body = nullptr;  // null: no body
    bool noRedirect = false;
    std::string proxy;
};

struct WireResponse {
    ByteBuffer body;
    std::string rawHeaders;  // the final response's status line and headers, then CR LF
};

// Runs the exchange with libcurl. False when nothing could be set up or the answer must be
// dropped (too large, aborted); the response then holds nothing.
bool performTransfer(const WireRequest& request, WireResponse& response);

// Stops every transfer in flight on any thread.
void wakeAllTransfers();
