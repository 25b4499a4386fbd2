#include "update/http_client.h"

#include <QByteArray>
#include <QUrl>
#include <algorithm>

#include "update/cookie_store.h"
#include "update/host_lookup.h"
#include "update/http_request.h"
#include "update/http_response.h"
#include "update/tcp_connection.h"

namespace tessaly {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

struct HttpClient::State {
    milliseconds readTimeout{0};
    milliseconds connectTimeout{0};
    std::optional<Clock::time_point> deadline;
    CookieStore cookies;
    HostLookup lookup;

    // The end of a wait: its own limit, or the deadline when that comes first.
    Clock::time_point Until(milliseconds limit) const {
        constexpr milliseconds unlimited{24LL * 3600 * 1000};
        Clock::time_point until = Clock::now() + (limit.count() > 0 ? limit : unlimited);
        return deadline ? std::min(until, *deadline) : until;
    }
};

namespace {

class SocketSource : public ByteSource {
  public:
    SocketSource(TcpConnection& connection, const HttpClient::State& state)
        : connection_(connection), state_(state) {}

    Status Read(std::string& out, std::size_t max) override {
        switch (connection_.Receive(out, max, state_.Until(state_.readTimeout))) {
            case TcpConnection::Received::Data:
                return Status::Data;
            case TcpConnection::Received::Closed:
                return Status::Closed;
            default:
                // A reset is no end of the answer: what came before it may be cut anywhere.
                return Status::Failed;
        }
    }

  private:
    TcpConnection& connection_;
    const HttpClient::State& state_;
};

bool Connect(TcpConnection& connection, const std::vector<QHostAddress>& addresses, quint16 port,
             const HttpClient::State& state) {
    return std::any_of(addresses.begin(), addresses.end(), [&](const QHostAddress& address) {
        return connection.Connect(address, port, state.Until(state.connectTimeout));
    });
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
    return state_->deadline && Clock::now() >= *state_->deadline;
}

std::optional<std::string> HttpClient::Get(const std::string& url) {
    const QUrl parsed(QString::fromStdString(url), QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme() != "http" || parsed.host().isEmpty()) {
        return std::nullopt;
    }
    const auto port = static_cast<quint16>(parsed.port(80));
    const std::string host = parsed.host(QUrl::FullyEncoded).toStdString();

    const auto lookupWait =
        std::chrono::ceil<milliseconds>(state_->Until(state_->connectTimeout) - Clock::now());
    if (lookupWait.count() <= 0) return std::nullopt;
    const auto addresses = state_->lookup.Resolve(host, lookupWait);
    if (!addresses) return std::nullopt;

    // Each exchange has a connection of its own; it closes when this one returns.
    TcpConnection connection;
    if (!Connect(connection, *addresses, port, *state_)) return std::nullopt;

    const QByteArray target =
        parsed.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    // An IPv6 literal keeps its brackets in the Host header.
    const std::string hostHeader = host.find(':') == std::string::npos ? host : "[" + host + "]";
    const std::string head =
        BuildRequestHead(hostHeader, port, target.toStdString(), state_->cookies.HeaderFor(parsed));
    if (!connection.Send(head, state_->Until(state_->readTimeout))) return std::nullopt;

    SocketSource source(connection, *state_);
    HttpResponse response = ReadHttpResponse(source);
    connection.Close();
    state_->cookies.Take(response.setCookies, parsed);
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
