#include "support/RawServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

RawServer::RawServer(std::string cannedResponse) : canned_(std::move(cannedResponse)) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listener_, 16);
    socklen_t length = sizeof address;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

RawServer::~RawServer() {
    stopping_ = true;
    if (thread_.joinable()) thread_.join();
    ::close(listener_);
}

std::string RawServer::hostPort() const { return "127.0.0.1:" + std::to_string(port_); }

std::vector<std::string> RawServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void RawServer::serve() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0) continue;
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) continue;
        handle(client);
        ::close(client);
    }
}

void RawServer::handle(int client) {
    std::string received;
    std::size_t wanted = std::string::npos;
    char buffer[4096];
    for (int idle = 0; idle < 100 && !stopping_;) {
        pollfd waiting{client, POLLIN, 0};
        if (::poll(&waiting, 1, 20) <= 0) {
            ++idle;
            continue;
        }
        const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        received.append(buffer, static_cast<std::size_t>(got));
        const std::size_t headEnd = received.find("\r\n\r\n");
        if (headEnd != std::string::npos && wanted == std::string::npos) {
            std::size_t bodyLength = 0;
            const std::size_t at = received.find("\r\nContent-Length: ");
            if (at != std::string::npos && at < headEnd) {
                bodyLength = std::strtoul(received.c_str() + at + 18, nullptr, 10);
            }
            wanted = headEnd + 4 + bodyLength;
        }
        if (wanted != std::string::npos && received.size() >= wanted) break;
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(received);
    }
    ::send(client, canned_.data(), canned_.size(), MSG_NOSIGNAL);
}
