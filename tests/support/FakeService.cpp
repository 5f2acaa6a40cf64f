#include "support/FakeService.h"

#include <httplib.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "support/Certificate.h"

namespace {

std::string makeTempDir() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "trovelin-cert-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    return made ? std::string(made) : std::string();
}

int intParam(const httplib::Request& request, const char* name, int fallback) {
    if (!request.has_param(name)) return fallback;
    return std::atoi(request.get_param_value(name).c_str());
}

}  // namespace

static bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string RecordedRequest::header(const std::string& name) const {
    for (const auto& [key, value] : headers) {
        if (sameName(key, name)) return value;
    }
    return {};
}

bool RecordedRequest::hasHeader(const std::string& name) const {
    for (const auto& entry : headers) {
        if (sameName(entry.first, name)) return true;
    }
    return false;
}

FakeService::FakeService(bool https) : https_(https) {
    if (https) {
        certDir_ = makeTempDir();
        writeSelfSignedCertificate(certDir_);
        server_ = std::make_unique<httplib::SSLServer>((certDir_ + "/cert.pem").c_str(),
                                                       (certDir_ + "/key.pem").c_str());
    } else {
        server_ = std::make_unique<httplib::Server>();
    }
    // Enough threads to answer many slow requests at once, as the real service does.
    server_->new_task_queue = [] { return new httplib::ThreadPool(64); };
    installRoutes();
    port_ = server_->bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    while (!server_->is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

FakeService::~FakeService() {
    stopping_ = true;
    server_->stop();
    if (thread_.joinable()) thread_.join();
    if (!certDir_.empty()) std::filesystem::remove_all(certDir_);
}

std::string FakeService::hostPort() const { return "127.0.0.1:" + std::to_string(port_); }

std::string FakeService::baseUrl() const { return (https_ ? "https://" : "http://") + hostPort(); }

void FakeService::setRoomAnswer(const std::string& room, const std::string& body) {
    std::lock_guard lock(mutex_);
    rooms_[room] = body;
}

void FakeService::setPageAnswer(int page, const std::string& body) {
    std::lock_guard lock(mutex_);
    pages_[page] = body;
}

namespace {

// A URL as the service writes it inside a JSON string: every slash escaped.
std::string escapedUrl(std::string url) {
    for (std::size_t at = url.find('/'); at != std::string::npos; at = url.find('/', at + 2)) {
        url.insert(at, "\\");
    }
    return url;
}

// The HLS interface's answer naming this address.
std::string hlsAnswer(const std::string& url) {
    return "jsonp3({\"hls\":\"" + escapedUrl(url) + "\",\"code\":0})";
}

}  // namespace

void FakeService::setRoomLive(const std::string& room) {
    setRoomAnswer(room, hlsAnswer(liveUrlOf(room)));
}

std::string FakeService::liveUrlOf(const std::string& room) const {
    return baseUrl() + "/live/" + room + ".m3u8";
}

void FakeService::setStreamAnswer(const std::string& room, int status, const std::string& body,
                                  int delayMs) {
    std::lock_guard lock(mutex_);
    streams_[room] = StreamAnswer{status, body, delayMs};
}

std::vector<RecordedRequest> FakeService::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void FakeService::clearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

std::string FakeService::escapedAddressOf(const std::string& room) {
    return escapedUrl(addressOf(room));
}

std::string FakeService::addressOf(const std::string& room) {
    return "http://cdn.example.test/live/" + room + ".m3u8";
}

void FakeService::record(const RecordedRequest& request) {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
}

bool FakeService::sleepUnlessStopping(int ms) const {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    for (auto now = std::chrono::steady_clock::now(); now < until;
         now = std::chrono::steady_clock::now()) {
        if (stopping_) return false;
        // Short naps, so that a stop is seen soon, and none past the delay asked for.
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            until - now, std::chrono::milliseconds(10)));
    }
    return true;
}

void FakeService::installRoutes() {
    using httplib::Request;
    using httplib::Response;
    httplib::Server& s = *server_;
    s.set_pre_routing_handler([this](const Request& request, Response&) {
        RecordedRequest recorded{request.method, request.target, {}, request.body};
        for (const auto& header : request.headers) recorded.headers.push_back(header);
        record(recorded);
        // Counted while the answer is held back: that is when requests overlap, and the
        // count never lags behind a client that already has its answer.
        const int now = ++inFlight_;
        for (int seen = maxInFlight_;
             now > seen && !maxInFlight_.compare_exchange_weak(seen, now);) {
        }
        if (delayMs_ > 0) sleepUnlessStopping(delayMs_);
        --inFlight_;
        return httplib::Server::HandlerResponse::Unhandled;
    });
    s.Get(R"(/live/(\w+)\.m3u8)", [this](const Request& request, Response& res) {
        StreamAnswer answer{200, "#EXTM3U\n#EXT-X-VERSION:3\n", liveDelayMs_};
        {
            std::lock_guard lock(mutex_);
            const auto found = streams_.find(request.matches[1]);
            if (found != streams_.end()) answer = found->second;
        }
        if (answer.delayMs > 0) sleepUnlessStopping(answer.delayMs);
        res.status = answer.status;
        res.set_content(answer.body, "application/vnd.apple.mpegurl");
    });

    s.Get(R"(/hls/new/get/([^/]*)/([^/]*)/1200)", [this](const Request& request, Response& res) {
        const std::string room = request.matches[1];
        std::string body;
        {
            std::lock_guard lock(mutex_);
            const auto found = rooms_.find(room);
            body = found != rooms_.end()
                       ? found->second
                       : hlsAnswer(allRoomsLive_ ? liveUrlOf(room) : addressOf(room));
        }
        res.set_content(body, "application/javascript; charset=utf-8");
    });
    s.Get("/mobyy/module/other/pnk1/448764", [this](const Request& request, Response& res) {
        const int page = intParam(request, "page", 0);
        std::string body = R"({"code":0,"data":{"data":[]}})";
        {
            std::lock_guard lock(mutex_);
            const auto found = pages_.find(page);
            if (found != pages_.end()) body = found->second;
        }
        res.set_content(body, "application/json; charset=utf-8");
    });
    s.Get("/redirect", [](const Request& request, Response& res) {
        res.set_redirect(request.get_param_value("to"), intParam(request, "code", 302));
        res.set_content("moved", "text/plain");
    });
    s.Get(R"(/status/(\d+))", [](const Request& request, Response& res) {
        res.status = std::atoi(std::string(request.matches[1]).c_str());
        res.set_content("status body", "text/plain");
    });
    s.Get("/cookies", [](const Request&, Response& res) {
        res.set_header("Set-Cookie", "a=1; path=/");
        res.set_header("Set-Cookie", "b=2");
        res.set_header("Set-Cookie", "gone=deleted; path=/");
        res.set_content("cookies", "text/plain");
    });
    s.Get("/bytes", [](const Request& request, Response& res) {
        const int n = intParam(request, "n", 0);
        std::string body(static_cast<std::size_t>(n), 'x');
        for (int i = 0; i < n; i += 1000) body[static_cast<std::size_t>(i)] = 'A' + (i / 1000) % 26;
        res.set_content(body, "application/octet-stream");
    });
    s.Get("/chunked", [](const Request& request, Response& res) {
        const int pieces = intParam(request, "pieces", 3);
        const int size = intParam(request, "size", 10);
        res.set_chunked_content_provider(
            "text/plain", [pieces, size, sent = 0](std::size_t, httplib::DataSink& sink) mutable {
                if (sent == pieces) {
                    sink.done();
                    return true;
                }
                const std::string piece(static_cast<std::size_t>(size),
                                        static_cast<char>('a' + sent % 26));
                ++sent;
                return sink.write(piece.data(), piece.size());
            });
    });
    s.Get("/stall", [this](const Request& request, Response& res) {
        const int after = intParam(request, "after", 5);
        res.set_content_provider(
            static_cast<std::size_t>(after) + 100, "text/plain",
            [this, after](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                if (offset == 0) {
                    const std::string head(static_cast<std::size_t>(after), 's');
                    sink.write(head.data(), head.size());
                    return true;
                }
                sleepUnlessStopping(60000);
                return false;
            });
    });
    s.Get("/drop", [](const Request& request, Response& res) {
        const int after = intParam(request, "after", 5);
        res.set_content_provider(static_cast<std::size_t>(after) + 100, "text/plain",
                                 [after](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                     if (offset > 0) return false;  // closes the connection
                                     const std::string head(static_cast<std::size_t>(after), 'd');
                                     sink.write(head.data(), head.size());
                                     return true;
                                 });
    });
    s.Get("/trickle", [this](const Request& request, Response& res) {
        const int ms = intParam(request, "ms", 500);
        auto drip = [this, ms](std::size_t, httplib::DataSink& sink) {
            if (!sleepUnlessStopping(ms)) return false;
            return sink.write("t", 1);
        };
        if (intParam(request, "chunked", 0) != 0) {
            res.set_chunked_content_provider(
                "text/plain",
                [drip](std::size_t offset, httplib::DataSink& sink) { return drip(offset, sink); });
        } else {
            res.set_content_provider(
                std::size_t{1} << 20, "text/plain",
                [drip](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                    return drip(offset, sink);
                });
        }
    });
    s.Get("/slow", [this](const Request& request, Response& res) {
        sleepUnlessStopping(intParam(request, "ms", 1000));
        res.set_content("slow", "text/plain");
    });
    auto echo = [](const Request& request, Response& res) {
        res.set_content(request.method + " " + request.target + "\n" + request.body, "text/plain");
    };
    s.Get("/echo", echo);
    s.Post("/echo", echo);
    s.Put("/echo", echo);
    s.Delete("/echo", echo);
    s.Options("/echo", echo);
    s.Patch("/echo", echo);
}
