// One TCP connection over plain POSIX sockets, every wait ending at a moment the caller gives.
// Qt's blocking socket calls cannot serve here: its connect wait retries on its own, opening a
// second connection to a refusing host, and it reports a reset as if the peer had closed.
#pragma once

#include <QHostAddress>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

class TcpConnection {
  public:
    using Clock = std::chrono::steady_clock;

    enum class Received {
        Data,      // bytes were appended
        Closed,    // the peer ended its side in order
        Reset,     // the peer broke the connection off
        TimedOut,  // nothing came before the given moment
        Failed,    // any other socket error
    };

    TcpConnection() = default;
    ~TcpConnection();
    TcpConnection(const TcpConnection&) = delete;
    TcpConnection& operator=(const TcpConnection&) = delete;

    // Opens the connection with exactly one attempt; false when refused, unreachable or not
    // set up by `until`. A connection already open is closed first.
    bool Connect(const QHostAddress& address, std::uint16_t port, Clock::time_point until);
    // Hands all of `data` to the socket, starting with one write of the whole; false when the
    // connection fails or `until` comes first.
    bool Send(std::string_view data, Clock::time_point until);
    // Appends up to `max` bytes to `out`, waiting for them until `until` at the latest.
    Received Receive(std::string& out, std::size_t max, Clock::time_point until);
    void Close();

  private:
    // Waits for one of `events` on the socket; false when `until` comes first or polling fails.
    bool WaitFor(short events, Clock::time_point until) const;

    int fd_ = -1;
};

}  // namespace tessaly
