// The blocking HTTP client of the version check: GET of a plain http URL, cookies kept
// between attempts, every wait bounded.
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace tessaly {

class HttpClient {
  public:
    HttpClient();
    ~HttpClient();
    HttpClient(const HttpClient&) = delete;
    HttpClient& operator=(const HttpClient&) = delete;

    // Longest wait for incoming data; zero means no limit of its own.
    void SetReadTimeout(std::chrono::milliseconds timeout);
    // Longest wait for name resolution and for connection set-up, each.
    void SetConnectTimeout(std::chrono::milliseconds timeout);
    // No wait of any exchange reaches past this moment.
    void SetDeadline(std::chrono::steady_clock::time_point deadline);
    bool DeadlinePassed() const;

    // One GET exchange: the body of a successful answer, or nothing.
    std::optional<std::string> Get(const std::string& url);

    struct State;  // settings, cookie store and resolver, shared with the exchange's helpers

  private:
    std::unique_ptr<State> state_;
};

// The body of the first successful answer among at most `attempts` GETs of `url`, tried one
// after another without pause; the empty text when all fail or the deadline passes. The body's
// bytes are kept as they came.
std::string FetchUrlText(HttpClient& client, const std::string& url, int attempts);

}  // namespace tessaly
