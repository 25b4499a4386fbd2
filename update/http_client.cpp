#include "update/http_client.h"

#include <QByteArray>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkProxy>
#include <QByteArrayList>
#include <QTcpSocket>
#include <QUrl>
#include <algorithm>

#include "update/host_lookup.h"
#include "update/http_request.h"
#include "update/http_response.h"

namespace tessaly {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct HttpClient::State {
    milliseconds readTimeout{0};
    milliseconds connectTimeout{0};
    std::optional<Clock::time_point> deadline;
    QNetworkCookieJar cookies;
    HostLookup lookup;

    // The longest a wait may last: its own limit, cut to what is left before the deadline.
    // Negative means the deadline has passed; -1 passed to Qt would mean "forever".
    int WaitMs(milliseconds limit) const {
        constexpr milliseconds unlimited{24LL * 3600 * 1000};
        milliseconds wait = limit.count() > 0 ? std::min(limit, unlimited) : unlimited;
        if (deadline)
            wait = std::min(wait, std::chrono::ceil<milliseconds>(*deadline - Clock::now()));
        return wait.count() <= 0 ? -1 : static_cast<int>(wait.count());
    }
};

namespace {

class SocketSource : public ByteSource {
  public:
    SocketSource(QTcpSocket& socket, const HttpClient::State& state)
        : socket_(socket), state_(state) {}

    Status Read(std::string& out, std::size_t max) override {
        while (socket_.bytesAvailable() == 0) {
            const int wait = state_.WaitMs(state_.readTimeout);
            if (wait < 0) return Status::Failed;
            if (!socket_.waitForReadyRead(wait) && socket_.bytesAvailable() == 0) {
                return socket_.error() == QAbstractSocket::RemoteHostClosedError ? Status::Closed
                                                                                 : Status::Failed;
            }
        }
        const QByteArray data = socket_.read(static_cast<qint64>(max));
        out.append(data.constData(), static_cast<std::size_t>(data.size()));
        return Status::Data;
    }

  private:
    QTcpSocket& socket_;
    const HttpClient::State& state_;
};

bool Connect(QTcpSocket& socket, const std::vector<QHostAddress>& addresses, quint16 port,
             const HttpClient::State& state) {
    for (const QHostAddress& address : addresses) {
        const int wait = state.WaitMs(state.connectTimeout);
        if (wait < 0) return false;
        socket.connectToHost(address, port);
        if (socket.waitForConnected(wait)) return true;
        socket.abort();
    }
    return false;
}

std::string CookieHeader(const QList<QNetworkCookie>& cookies) {
    QByteArrayList pairs;
    for (const QNetworkCookie& cookie : cookies) {
        pairs.append(cookie.toRawForm(QNetworkCookie::NameAndValueOnly));
    }
    return pairs.join("; ").toStdString();
}

}  // namespace

HttpClient::HttpClient() : state_(std::make_unique<State>()) {}
HttpClient::~HttpClient() = default;

void HttpClient::SetReadTimeout(milliseconds timeout) {
    state_->readTimeout = timeout;
}
void HttpClient::SetConnectTimeout(milliseconds timeout) {
    state_->connectTimeout = timeout;
}
void HttpClient::SetDeadline(Clock::time_point deadline) {
    state_->deadline = deadline;
}

bool HttpClient::DeadlinePassed() const {
    return state_->WaitMs(milliseconds{0}) < 0;
}

std::optional<std::string> HttpClient::Get(const std::string& url) {
    const QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme() != "http" || parsed.host().isEmpty()) {
        return std::nullopt;
    }
    const auto port = static_cast<quint16>(parsed.port(80));
    const std::string host = parsed.host(QUrl::FullyEncoded).toStdString();

    const int lookupWait = state_->WaitMs(state_->connectTimeout);
    if (lookupWait < 0) return std::nullopt;
    const auto addresses = state_->lookup.Resolve(host, milliseconds{lookupWait});
    if (!addresses) return std::nullopt;

    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    // Qt would otherwise buffer whatever a runaway server sends while we wait.
    socket.setReadBufferSize(64 * 1024);
    if (!Connect(socket, *addresses, port, *state_)) return std::nullopt;

    const QByteArray target =
        parsed.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    // An IPv6 literal keeps its brackets in the Host header.
    const std::string hostHeader = host.find(':') == std::string::npos ? host : "[" + host + "]";
    const std::string head = BuildRequestHead(hostHeader, port, target.toStdString(),
                                              CookieHeader(state_->cookies.cookiesForUrl(parsed)));
    if (socket.write(head.data(), static_cast<qint64>(head.size())) !=
            static_cast<qint64>(head.size()) ||
        !socket.flush()) {
        return std::nullopt;
    }

    SocketSource source(socket, *state_);
    HttpResponse response = ReadHttpResponse(source);
    for (const std::string& line : response.setCookies) {
        state_->cookies.setCookiesFromUrl(
            QNetworkCookie::parseCookies(QByteArray::fromStdString(line)), parsed);
    }
    // Each exchange has a connection of its own; it closes with the socket here.
    socket.abort();
    if (response.outcome != HttpOutcome::Success) return std::nullopt;
    return std::move(response.body);
}

std::string FetchUrlText(HttpClient& client, const std::string& url, int attempts) {
    try {
        for (int left = std::max(attempts, 1); left > 0 && !client.DeadlinePassed(); --left) {
            if (auto body = client.Get(url)) return std::move(*body);
        }
    } catch (...) {
        // Out of memory or threads: the check just ends without an answer.
    }
    return {};
}

}  // namespace tessaly
