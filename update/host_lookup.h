// Host-name resolution that gives up on time. The system resolver cannot be interrupted, so
// a slow lookup is left to finish on its own while the caller moves on.
#pragma once

#include <QHostAddress>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

class HostLookup {
  public:
    HostLookup();
    ~HostLookup();
    HostLookup(const HostLookup&) = delete;
    HostLookup& operator=(const HostLookup&) = delete;

    // The host's addresses, or nothing when it cannot be resolved within `timeout`. Names
    // under the reserved "invalid" domain fail at once without asking any resolver. A lookup
    // that ran out of time is waited for again by the next call for the same host instead of
    // starting another.
    std::optional<std::vector<QHostAddress>> Resolve(const std::string& host,
                                                     std::chrono::milliseconds timeout);

  private:
    struct Pending;
    // Runs on a thread of its own; touches nothing but the record it shares with the caller.
    static void LookUp(const std::shared_ptr<Pending>& pending);
    std::shared_ptr<Pending> pending_;
};

}  // namespace tessaly
