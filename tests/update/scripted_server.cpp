#include "tests/update/scripted_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace tessaly::test {

namespace {

// Waits up to 50 ms so the thread notices the end of the test promptly.
bool Readable(int fd) {
    pollfd entry{fd, POLLIN, 0};
    return poll(&entry, 1, 50) > 0;
}

// A TCP socket bound to a free loopback port.
int BindLoopback(std::uint16_t& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        throw std::runtime_error("cannot bind a loopback port");
    }
    port = ntohs(address.sin_port);
    return fd;
}

std::string LoopbackUrl(std::uint16_t port, const std::string& path) {
    return "http://127.0.0.1:" + std::to_string(port) + path;
}

}  // namespace

ScriptedServer::ScriptedServer(std::vector<ScriptedAnswer> script) : script_(std::move(script)) {
    listener_ = BindLoopback(port_);
    if (listen(listener_, 16) != 0) throw std::runtime_error("cannot listen on the loopback");
    thread_ = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer() {
    stop_ = true;
    thread_.join();
    close(listener_);
}

std::string ScriptedServer::Url(const std::string& path) const {
    return LoopbackUrl(port_, path);
}

std::vector<std::string> ScriptedServer::Requests() const {
    std::unique_lock lock(mutex_);
    // Two idle rounds: the second began after this call, so the queue was empty by then. The
    // bound only keeps a broken server from hanging the test.
    const std::uint64_t settled = idleRounds_ + 2;
    idle_.wait_for(lock, std::chrono::seconds(30), [&] { return idleRounds_ >= settled; });
    return requests_;
}

void ScriptedServer::Serve() {
    std::size_t served = 0;
    while (!stop_) {
        if (!Readable(listener_)) {
            std::lock_guard lock(mutex_);
            ++idleRounds_;
            idle_.notify_all();
            continue;
        }
        const int connection = accept(listener_, nullptr, nullptr);
        if (connection < 0) continue;
        const ScriptedAnswer& answer = script_[std::min(served++, script_.size() - 1)];
        Answer(connection, answer);
        if (answer.reset) {
            const linger abortive{1, 0};
            setsockopt(connection, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
        }
        close(connection);
    }
}

void ScriptedServer::Answer(int connection, const ScriptedAnswer& answer) {
    std::string request;
    char buffer[4096];
    while (!stop_ && request.find("\r\n\r\n") == std::string::npos) {
        if (!Readable(connection)) continue;
        const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
        if (got <= 0) return;
        request.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    // The client may give up half-way (a body over its limit): stop sending then.
    for (std::size_t sent = 0; sent < answer.bytes.size();) {
        const ssize_t put =
            send(connection, answer.bytes.data() + sent, answer.bytes.size() - sent, MSG_NOSIGNAL);
        if (put <= 0) return;
        sent += static_cast<std::size_t>(put);
    }
    while (answer.holdOpen && !stop_) {
        if (Readable(connection) && recv(connection, buffer, sizeof buffer, 0) <= 0) return;
    }
}

DeadPort::DeadPort(Kind kind) {
    socket_ = BindLoopback(port_);
    if (kind == Kind::Refusing) return;
    if (listen(socket_, kind == Kind::Deaf ? 4 : 0) != 0)
        throw std::runtime_error("cannot listen on the loopback");
    if (kind == Kind::Deaf) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port_);
    // Attempts of our own fill the queue; the kernel then drops every later one.
    for (int i = 0; i < 4; ++i) {
        fillers_.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
        connect(fillers_.back(), reinterpret_cast<sockaddr*>(&address), sizeof address);
    }
    // The queue is full once a filler's handshake has landed in it; under load that can lag
    // behind connect(), so wait for it rather than assume it.
    pollfd queued{socket_, POLLIN, 0};
    if (poll(&queued, 1, 10000) != 1) throw std::runtime_error("the loopback queue never filled");
}

DeadPort::~DeadPort() {
    for (int fd : fillers_) close(fd);
    close(socket_);
}

std::string DeadPort::Url(const std::string& path) const {
    return LoopbackUrl(port_, path);
}

std::string HttpAnswer(const std::string& status, const std::string& body,
                       const std::string& headers) {
    return "HTTP/1.1 " + status + "\r\n" + headers +
           "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

}  // namespace tessaly::test
