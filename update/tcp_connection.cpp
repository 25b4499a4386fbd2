#include "update/tcp_connection.h"

#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace tessaly {

namespace {

using std::chrono::milliseconds;

bool Passed(TcpConnection::Clock::time_point until) {
    return TcpConnection::Clock::now() >= until;
}

// The socket address of `address`, or a length of 0 for anything but IPv4 and IPv6.
socklen_t ToSockaddr(const QHostAddress& address, std::uint16_t port, sockaddr_storage& out) {
    out = {};
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        auto& in = reinterpret_cast<sockaddr_in&>(out);
        in.sin_family = AF_INET;
        in.sin_port = htons(port);
        in.sin_addr.s_addr = htonl(address.toIPv4Address());
        return sizeof in;
    }
    if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        auto& in6 = reinterpret_cast<sockaddr_in6&>(out);
        in6.sin6_family = AF_INET6;
        in6.sin6_port = htons(port);
        const Q_IPV6ADDR bytes = address.toIPv6Address();
        std::memcpy(&in6.sin6_addr, bytes.c, sizeof bytes.c);
        // A link-local address needs its interface, given by name or by number.
        const QString scope = address.scopeId();
        if (!scope.isEmpty()) {
            bool isNumber = false;
            in6.sin6_scope_id = scope.toUInt(&isNumber);
            if (!isNumber) in6.sin6_scope_id = if_nametoindex(scope.toLocal8Bit().constData());
        }
        return sizeof in6;
    }
    return 0;
}

}  // namespace

TcpConnection::~TcpConnection() {
    Close();
}

void TcpConnection::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

bool TcpConnection::WaitFor(short events, Clock::time_point until) const {
    while (true) {
        const auto left = std::chrono::ceil<milliseconds>(until - Clock::now()).count();
        if (left <= 0) return false;
        pollfd entry{fd_, events, 0};
        const int ready = ::poll(&entry, 1, static_cast<int>(std::min<long long>(left, INT_MAX)));
        // An error or hang-up also ends the wait: the next call on the socket reports it.
        if (ready > 0) return true;
        if (ready < 0 && errno != EINTR) return false;
    }
}

bool TcpConnection::Connect(const QHostAddress& address, std::uint16_t port,
                            Clock::time_point until) {
    Close();
    sockaddr_storage target;
    const socklen_t length = ToSockaddr(address, port, target);
    if (length == 0 || Passed(until)) return false;
    fd_ = ::socket(target.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd_ < 0) return false;
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&target), length) == 0) return true;
    // One connection attempt only: its outcome is read once the socket turns writable.
    int error = errno;
    if (error == EINPROGRESS || error == EINTR) {
        socklen_t size = sizeof error;
        if (!WaitFor(POLLOUT, until) ||
            ::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0) {
            error = ETIMEDOUT;
        }
    }
    if (error == 0) return true;
    Close();
    return false;
}

bool TcpConnection::Send(std::string_view data, Clock::time_point until) {
    while (!data.empty()) {
        if (fd_ < 0 || Passed(until)) return false;
        const ssize_t sent = ::send(fd_, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            data.remove_prefix(static_cast<std::size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            if (!WaitFor(POLLOUT, until)) return false;
        } else {
            return false;
        }
    }
    return true;
}

TcpConnection::Received TcpConnection::Receive(std::string& out, std::size_t max,
                                               Clock::time_point until) {
    if (fd_ < 0) return Received::Failed;
    // Checked even when bytes are waiting, so a server that never stops sending still cannot
    // keep the exchange past its moment.
    while (!Passed(until)) {
        const std::size_t start = out.size();
        out.resize(start + max);
        const ssize_t got = ::recv(fd_, out.data() + start, max, 0);
        const int error = errno;
        out.resize(start + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got > 0) return Received::Data;
        if (got == 0) return Received::Closed;
        if (error == ECONNRESET) return Received::Reset;
        if (error == EINTR) continue;
        if (error != EAGAIN && error != EWOULDBLOCK) return Received::Failed;
        if (!WaitFor(POLLIN, until)) break;
    }
    return Received::TimedOut;
}

}  // namespace tessaly
