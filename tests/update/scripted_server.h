// A loopback HTTP server that plays a fixed script, one answer per connection, on a thread of
// its own, and records the request heads it received.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace tessaly::test {

struct ScriptedAnswer {
    std::string bytes;      // sent as they are, right after the request head has arrived
    bool holdOpen = false;  // keep the connection open afterwards until the client leaves
    bool reset = false;     // end with a reset (SO_LINGER 0) instead of an orderly close
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
    // The request heads received so far, once every connection the client has already made
    // has been served: a client that gave up early still left its request behind.
    std::vector<std::string> Requests() const;

  private:
    void Serve();
    void Answer(int connection, const ScriptedAnswer& answer);

    std::vector<ScriptedAnswer> script_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    mutable std::condition_variable idle_;
    std::uint64_t idleRounds_ = 0;  // polls of the listener that found no waiting connection
    std::vector<std::string> requests_;
    std::thread thread_;
};

// A loopback port that meets connection attempts the way a dead host does. It stays bound for
// the object's life, so no other test's server can take it meanwhile.
class DeadPort {
  public:
    enum class Kind {
        Refusing,  // bound but not listening: every attempt is refused at once
        Dropping,  // a full queue that is never accepted: attempts go unanswered, as at a firewall
        Deaf,      // connections are taken into the queue and never accepted nor read
    };
    explicit DeadPort(Kind kind);
    ~DeadPort();
    DeadPort(const DeadPort&) = delete;
    DeadPort& operator=(const DeadPort&) = delete;

    std::uint16_t Port() const { return port_; }
    std::string Url(const std::string& path = "/tsyjson.php") const;

  private:
    int socket_ = -1;
    std::uint16_t port_ = 0;
    std::vector<int> fillers_;
};

// A ready-made answer: status line, the given header lines, Content-Length and the body.
std::string HttpAnswer(const std::string& status, const std::string& body,
                       const std::string& headers = "");

}  // namespace tessaly::test
