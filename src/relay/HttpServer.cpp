#include "relay/HttpServer.h"

#include <boost/asio/executor_work_guard.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>

#include <chrono>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

namespace beast = boost::beast;
namespace http = beast::http;
namespace net = boost::asio;
using tcp = net::ip::tcp;

namespace {

using Executor = net::io_context::executor_type;
using Socket = net::basic_stream_socket<tcp, Executor>;
using Clock = std::chrono::steady_clock;

constexpr auto kIdleTimeout = std::chrono::seconds(30);
constexpr auto kSweepPeriod = std::chrono::seconds(5);
constexpr std::uint32_t kHeaderLimit = 16 * 1024;
constexpr std::uint64_t kBodyLimit = 64 * 1024;

class Session;

// The sessions of one event loop, touched only by its thread: closed when idle too long,
// and all of them at stop.
struct SessionSet {
    std::set<Session*> live;
};

// One connection. Every handler runs on its event loop's one thread, so no strand is needed;
// replies from worker threads are posted there.
class Session : public std::enable_shared_from_this<Session> {
  public:
    Session(Socket&& socket, RelayService& service, AccessLog* log, SessionSet& sessions)
        : socket_(std::move(socket)), service_(service), log_(log), sessions_(sessions) {
        beast::error_code error;
        const tcp::endpoint peer = socket_.remote_endpoint(error);
        client_ = error ? std::string("-") : peer.address().to_string();
        socket_.set_option(tcp::no_delay(true), error);
    }

    void start() {
        sessions_.live.insert(this);
        read();
    }

    // Runs on the session's thread.
    void close() {
        beast::error_code ignored;
        socket_.shutdown(tcp::socket::shutdown_both, ignored);
        socket_.close(ignored);
    }
    bool idleSince(Clock::time_point limit) const { return waiting_ && lastActive_ < limit; }

    ~Session() { sessions_.live.erase(this); }

  private:
    void read() {
        parser_.emplace();
        parser_->header_limit(kHeaderLimit);
        parser_->body_limit(kBodyLimit);
        waiting_ = true;
        lastActive_ = Clock::now();
        http::async_read(socket_, buffer_, *parser_,
                         [self = shared_from_this()](beast::error_code error, std::size_t) {
                             self->onRead(error);
                         });
    }

    void onRead(beast::error_code error) {
        waiting_ = false;
        if (error == http::error::end_of_stream || error == net::error::operation_aborted ||
            error == net::error::connection_reset || error == net::error::eof ||
            error == net::error::bad_descriptor) {
            return close();
        }
        if (error) {
            // Malformed or oversized: one answer, then the connection goes.
            respond("-", "-", false, false, textAnswer(400, "malformed request"));
            return;
        }
        const auto& request = parser_->get();
        std::string method(request.method_string());
        std::string target(request.target());
        const bool keepAlive = request.keep_alive();
        const bool head = request.method() == http::verb::head;
        const RelayRequest relayRequest{method, target, std::string(request[http::field::host])};
        const std::thread::id handlingThread = std::this_thread::get_id();
        service_.handle(relayRequest, [self = shared_from_this(), method = std::move(method),
                                       target = std::move(target), keepAlive, head,
                                       handlingThread](RelayResponse response) mutable {
            if (std::this_thread::get_id() == handlingThread) {
                // Answered at once, on this connection's own thread.
                self->respond(method, target, keepAlive, head, std::move(response));
                return;
            }
            net::post(self->socket_.get_executor(),
                      [self, method = std::move(method), target = std::move(target), keepAlive,
                       head, response = std::move(response)]() mutable {
                          self->respond(method, target, keepAlive, head, std::move(response));
                      });
        });
    }

    void respond(const std::string& method, const std::string& target, bool keepAlive, bool head,
                 RelayResponse response) {
        service_.stats().countAnswer(response.status);
        if (log_ != nullptr) {
            log_->write(client_, method, target, response.status, response.upstreamMs,
                        response.cached);
        }
        message_ = {};
        message_.version(11);
        message_.result(static_cast<unsigned>(response.status));
        message_.set(http::field::server, "trovelin-relay");
        message_.set(http::field::content_type, response.contentType);
        for (const auto& [name, value] : response.headers) message_.set(name, value);
        message_.keep_alive(keepAlive);
        const std::size_t length = response.body.size();
        if (!head) message_.body() = std::move(response.body);
        message_.content_length(length);
        http::async_write(
            socket_, message_,
            [self = shared_from_this(), keepAlive](beast::error_code error, std::size_t) {
                if (error || !keepAlive) return self->close();
                self->read();
            });
    }

    Socket socket_;
    beast::flat_buffer buffer_;
    std::optional<http::request_parser<http::string_body>> parser_;
    http::response<http::string_body> message_;
    RelayService& service_;
    AccessLog* log_;
    SessionSet& sessions_;
    std::string client_;
    bool waiting_ = false;
    Clock::time_point lastActive_ = Clock::now();
};

// One event loop with its thread and its sessions.
struct Loop {
    SessionSet sessions;  // outlives the io context, whose queued handlers may hold sessions
    net::io_context io{1};
    net::basic_waitable_timer<Clock, net::wait_traits<Clock>, Executor> sweeper{io};
    std::optional<net::executor_work_guard<Executor>> work{io.get_executor()};
    std::thread thread;

    void sweep() {
        sweeper.expires_after(kSweepPeriod);
        sweeper.async_wait([this](beast::error_code error) {
            if (error) return;
            const Clock::time_point limit = Clock::now() - kIdleTimeout;
            std::vector<Session*> idle;
            for (Session* session : sessions.live) {
                if (session->idleSince(limit)) idle.push_back(session);
            }
            for (Session* session : idle) session->close();
            sweep();
        });
    }
    void closeAll() {
        net::post(io, [this] {
            sweeper.cancel();
            const std::vector<Session*> open(sessions.live.begin(), sessions.live.end());
            for (Session* session : open) session->close();
            work.reset();
        });
    }
};

}  // namespace

class HttpServer::Impl {
  public:
    Impl(RelayService& service, const std::string& host, int port, int threads, AccessLog* log)
        : service_(service), log_(log), acceptor_(acceptLoop_.io) {
        for (int i = 0; i < std::max(1, threads); ++i) loops_.push_back(std::make_unique<Loop>());
        beast::error_code error;
        const net::ip::address address = net::ip::make_address(host, error);
        if (error) {
            error_ = "not an IP address: " + host;
            return;
        }
        const tcp::endpoint endpoint(address, static_cast<unsigned short>(port));
        acceptor_.open(endpoint.protocol(), error);
        if (!error) acceptor_.set_option(net::socket_base::reuse_address(true), error);
        if (!error) acceptor_.bind(endpoint, error);
        if (!error) acceptor_.listen(net::socket_base::max_listen_connections, error);
        if (error) {
            error_ = error.message();
            acceptor_.close(error);
            return;
        }
        port_ = acceptor_.local_endpoint().port();
    }

    void start() {
        if (!error_.empty() || started_) return;
        started_ = true;
        accept();
        for (auto& loop : loops_) {
            loop->sweep();
            loop->thread = std::thread([&io = loop->io] { io.run(); });
        }
        acceptLoop_.thread = std::thread([this] { acceptLoop_.io.run(); });
    }

    void stopAccepting() {
        net::post(acceptLoop_.io, [this] {
            beast::error_code ignored;
            acceptor_.close(ignored);
            if (signals_) signals_->cancel(ignored);
            acceptLoop_.work.reset();
        });
    }

    void stop() {
        if (stopped_) return;
        stopped_ = true;
        stopAccepting();
        if (acceptLoop_.thread.joinable()) acceptLoop_.thread.join();
        for (auto& loop : loops_) loop->closeAll();
        // Closed sockets end their reads at once; then the loops run dry and return. Replies
        // still on their way from workers are dropped with the loops.
        for (auto& loop : loops_) {
            if (loop->thread.joinable()) loop->thread.join();
        }
    }

    void accept() {
        Loop& next = *loops_[nextLoop_++ % loops_.size()];
        acceptor_.async_accept(next.io, [this, &next](beast::error_code error, Socket socket) {
            if (error == net::error::operation_aborted) return;
            if (!error) {
                // Started on its own loop's thread, where all its handlers run.
                net::post(next.io, [this, &next, socket = std::move(socket)]() mutable {
                    std::make_shared<Session>(std::move(socket), service_, log_, next.sessions)
                        ->start();
                });
            }
            if (acceptor_.is_open()) accept();
        });
    }

    void handleSignals() {
        signals_.emplace(acceptLoop_.io, SIGINT, SIGTERM);
        signals_->async_wait([this](beast::error_code error, int) {
            if (error) return;
            signalled_ = true;
        });
    }

    RelayService& service_;
    AccessLog* log_;
    std::vector<std::unique_ptr<Loop>> loops_;  // outlive the acceptor's pending handlers
    Loop acceptLoop_;
    net::basic_socket_acceptor<tcp, Executor> acceptor_;
    std::optional<net::basic_signal_set<Executor>> signals_;
    std::size_t nextLoop_ = 0;
    std::string error_;
    int port_ = 0;
    bool started_ = false;
    bool stopped_ = false;
    std::atomic<bool> signalled_{false};
};

HttpServer::HttpServer(RelayService& service, const std::string& host, int port, int threads,
                       AccessLog* log)
    : impl_(std::make_unique<Impl>(service, host, port, threads, log)) {}

HttpServer::~HttpServer() { stop(); }

bool HttpServer::listening() const { return impl_->error_.empty(); }
std::string HttpServer::error() const { return impl_->error_; }
int HttpServer::port() const { return impl_->port_; }
void HttpServer::start() { impl_->start(); }
void HttpServer::stop() { impl_->stop(); }
void HttpServer::handleSignals() { impl_->handleSignals(); }

void HttpServer::waitForSignal() {
    while (!impl_->signalled_ && !impl_->stopped_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
