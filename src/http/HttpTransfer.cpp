#include "http/HttpTransfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <set>

#include "http/CurlLibrary.h"
#include "http/HttpRequest.h"
#include "text/TextPrimitives.h"

namespace {

std::atomic<bool> abortFlag{false};

std::mutex limitsMutex;
HttpLimits currentLimits;

// Multi handles in flight, so that the abort switch can wake their polls at once.
std::mutex activeMutex;
std::set<CURLM*> activeTransfers;

struct EasyDeleter {
    void operator()(CURL* easy) const { curlLibrary()->easyCleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curlLibrary()->multiCleanup(multi); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curlLibrary()->slistFreeAll(list); }
};

struct Collector {
    std::string body;
    std::string headers;
    long long maxBody = 0;
    long long maxHeaders = 0;
    bool overflow = false;
};

size_t collectBody(char* data, size_t size, size_t count, void* user) {
    auto* collector = static_cast<Collector*>(user);
    const size_t length = size * count;
    if (static_cast<long long>(collector->body.size() + length) > collector->maxBody) {
        collector->overflow = true;
        return 0;  // makes libcurl end the transfer
    }
    collector->body.append(data, length);
    return length;
}

size_t collectHeader(char* data, size_t size, size_t count, void* user) {
    auto* collector = static_cast<Collector*>(user);
    const size_t length = size * count;
    const std::string_view line(data, length);
    // Each status line starts a new response (redirects, interim answers, proxy tunnels);
    // only the last block is kept.
    if (line.starts_with("HTTP/")) collector->headers.clear();
    if (static_cast<long long>(collector->headers.size() + length) > collector->maxHeaders) {
        collector->overflow = true;
        return 0;
    }
    collector->headers.append(line);
    return length;
}

bool hasHeaderNamed(const std::vector<std::string>& lines, std::string_view name) {
    for (const std::string& line : lines) {
        const size_t colon = line.find(':');
        if (colon != std::string::npos && equalsText(trimText(line.substr(0, colon)), name, true)) {
            return true;
        }
    }
    return false;
}

// The header lines for libcurl: the caller's lines in order, then empty entries that switch
// off what libcurl would otherwise add on its own.
std::unique_ptr<curl_slist, ListDeleter> buildHeaderList(const WireRequest& request) {
    curl_slist* list = nullptr;
    auto append = [&](const std::string& line) {
        curl_slist* grown = curlLibrary()->slistAppend(list, line.c_str());
        if (grown != nullptr) list = grown;
    };
    for (const std::string& line : request.headerLines) append(line);
    if (!hasHeaderNamed(request.headerLines, "Accept")) append("Accept:");
    if (!hasHeaderNamed(request.headerLines, "Expect")) append("Expect:");
    if (!request.proxy.empty() && !hasHeaderNamed(request.headerLines, "Proxy-Connection")) {
        append("Proxy-Connection:");
    }
    if (request.body != nullptr && !hasHeaderNamed(request.headerLines, "Content-Type")) {
        append("Content-Type:");
    }
    return std::unique_ptr<curl_slist, ListDeleter>(list);
}

void setMethodAndBody(CURL* easy, const WireRequest& request) {
    const CurlLibrary* curl = curlLibrary();
    const bool hasBody = request.body != nullptr;
    if (hasBody) {
        curl->easySetopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.body->size()));
        curl->easySetopt(easy, CURLOPT_POSTFIELDS, request.body->data());
    }
    switch (request.method) {
        case HttpMethod::Get:
            curl->easySetopt(easy, CURLOPT_HTTPGET, 1L);
            break;
        case HttpMethod::Post:
            if (!hasBody) {
                curl->easySetopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(0));
                curl->easySetopt(easy, CURLOPT_POSTFIELDS, "");
            }
            break;
        case HttpMethod::Head:
            // A HEAD answer carries no body, and libcurl must be told not to wait for one.
            curl->easySetopt(easy, CURLOPT_NOBODY, 1L);
            break;
        default:
            curl->easySetopt(easy, CURLOPT_CUSTOMREQUEST,
                             std::string(methodVerb(request.method)).c_str());
            break;
    }
}

class ActiveTransfer {
  public:
    explicit ActiveTransfer(CURLM* multi) : multi_(multi) {
        std::lock_guard lock(activeMutex);
        activeTransfers.insert(multi_);
    }
    ~ActiveTransfer() {
        std::lock_guard lock(activeMutex);
        activeTransfers.erase(multi_);
    }
    ActiveTransfer(const ActiveTransfer&) = delete;
    ActiveTransfer& operator=(const ActiveTransfer&) = delete;

  private:
    CURLM* multi_;
};

// Drives the transfer while watching the abort switch. Gives the transfer's result, or
// nothing when it was aborted or could not be driven.
std::optional<CURLcode> runUntilDone(CURL* easy) {
    const CurlLibrary* curl = curlLibrary();
    std::unique_ptr<CURLM, MultiDeleter> multi(curl->multiInit());
    if (!multi) return std::nullopt;
    if (curl->multiAddHandle(multi.get(), easy) != CURLM_OK) return std::nullopt;
    bool aborted = false;
    {
        const ActiveTransfer active(multi.get());
        int running = 1;
        while (running > 0) {
            if (abortFlag.load()) {
                aborted = true;
                break;
            }
            if (curl->multiPerform(multi.get(), &running) != CURLM_OK) break;
            if (running == 0) break;
            if (curl->multiPoll(multi.get(), nullptr, 0, 100, nullptr) != CURLM_OK) break;
        }
    }
    std::optional<CURLcode> result;
    int queued = 0;
    while (CURLMsg* message = curl->multiInfoRead(multi.get(), &queued)) {
        if (message->msg == CURLMSG_DONE) result = message->data.result;
    }
    curl->multiRemoveHandle(multi.get(), easy);
    if (aborted || !result) return std::nullopt;
    return result;
}

std::string buildUrl(const WireRequest& request) {
    std::string url = request.https ? "https://" : "http://";
    url += request.host;
    url += ':';
    url += std::to_string(request.port);
    url += request.path;
    return url;
}

}  // namespace

bool preloadHttpEngine() { return curlLibrary() != nullptr; }

void setRequestsAborted(bool aborted) {
    abortFlag.store(aborted);
    if (aborted) wakeAllTransfers();
}

bool requestsAborted() { return abortFlag.load(); }

HttpLimits httpLimits() {
    std::lock_guard lock(limitsMutex);
    return currentLimits;
}

void setHttpLimits(const HttpLimits& limits) {
    std::lock_guard lock(limitsMutex);
    currentLimits = limits;
}

void wakeAllTransfers() {
    std::lock_guard lock(activeMutex);
    for (CURLM* multi : activeTransfers) curlLibrary()->multiWakeup(multi);
}

bool performTransfer(const WireRequest& request, WireResponse& response) {
    response = WireResponse();
    if (abortFlag.load()) return false;
    const CurlLibrary* curl = curlLibrary();
    if (curl == nullptr) return false;
    std::unique_ptr<CURL, EasyDeleter> handle(curl->easyInit());
    if (!handle) return false;
    CURL* easy = handle.get();
    const HttpLimits limits = httpLimits();
    Collector collector;
    collector.maxBody = limits.maxBodyBytes;
    collector.maxHeaders = limits.maxHeaderBytes;

    const std::string url = buildUrl(request);
    const std::string proxy = request.proxy.empty() ? std::string() : "http://" + request.proxy;
    const auto headers = buildHeaderList(request);
    curl->easySetopt(easy, CURLOPT_URL, url.c_str());
    curl->easySetopt(easy, CURLOPT_PATH_AS_IS, 1L);
    curl->easySetopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl->easySetopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl->easySetopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl->easySetopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl->easySetopt(easy, CURLOPT_HTTPHEADER, headers.get());
    if (!hasHeaderNamed(request.headerLines, "User-Agent")) {
        curl->easySetopt(easy, CURLOPT_USERAGENT, request.userAgent.c_str());
    }
    // An empty proxy also keeps libcurl from taking one from the environment.
    curl->easySetopt(easy, CURLOPT_PROXY, proxy.c_str());
    curl->easySetopt(easy, CURLOPT_FOLLOWLOCATION, request.noRedirect ? 0L : 1L);
    curl->easySetopt(easy, CURLOPT_MAXREDIRS, 30L);
    curl->easySetopt(easy, CURLOPT_SSL_VERIFYPEER, 0L);
    curl->easySetopt(easy, CURLOPT_SSL_VERIFYHOST, 0L);
    curl->easySetopt(easy, CURLOPT_PROXY_SSL_VERIFYPEER, 0L);
    curl->easySetopt(easy, CURLOPT_PROXY_SSL_VERIFYHOST, 0L);
    curl->easySetopt(easy, CURLOPT_CONNECTTIMEOUT, limits.connectTimeoutSeconds);
    curl->easySetopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl->easySetopt(easy, CURLOPT_LOW_SPEED_TIME, limits.stallTimeoutSeconds);
    // A body that trickles a byte now and then never stalls; only a deadline ends it.
    curl->easySetopt(easy, CURLOPT_TIMEOUT, std::max(0L, limits.totalTimeoutSeconds));
    curl->easySetopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBodyBytes));
    curl->easySetopt(easy, CURLOPT_WRITEFUNCTION, collectBody);
    curl->easySetopt(easy, CURLOPT_WRITEDATA, &collector);
    curl->easySetopt(easy, CURLOPT_HEADERFUNCTION, collectHeader);
    curl->easySetopt(easy, CURLOPT_HEADERDATA, &collector);
    setMethodAndBody(easy, request);

    const std::optional<CURLcode> result = runUntilDone(easy);
    if (!result || collector.overflow || *result == CURLE_FILESIZE_EXCEEDED) return false;
    // Any other failure (refused, reset mid-body, stalled) keeps what arrived until then.
    response.body = ByteBuffer(std::move(collector.body));
    response.rawHeaders = std::move(collector.headers);
    return true;
}
