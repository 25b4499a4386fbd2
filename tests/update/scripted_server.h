// A loopback HTTP server that plays a fixed script, one answer per connection, on a thread of
// its own, and records the request heads it received.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tessaly::testing {

struct ScriptedAnswer {
    std::string bytes;      // sent as they are, right after the request head has arrived
    bool holdOpen = false;  // keep the connection open afterwards until the client leaves
};

class ScriptedServer {
  public:
    // Connections beyond the script get its last answer again.
    explicit ScriptedServer(std::vector<ScriptedAnswer> script);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    std::uint16_t Port() const { return port_; }
    std::string Url(const std::string& path = "/tsyjson.php") const;
    std::vector<std::string> Requests() const;

  private:
    void Serve();
    void Answer(int connection, const ScriptedAnswer& answer);

    std::vector<ScriptedAnswer> script_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A ready-made answer: status line, the given header lines, Content-Length and the body.
std::string HttpAnswer(const std::string& status, const std::string& body,
                       const std::string& headers = "");

}  // namespace tessaly::testing
