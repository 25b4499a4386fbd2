#include "update/host_lookup.h"

#include <netdb.h>
#include <sys/socket.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tessaly {

struct HostLookup::Pending {
    std::string host;
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    std::vector<QHostAddress> addresses;
};

HostLookup::HostLookup() = default;
HostLookup::~HostLookup() = default;

namespace {

bool IsReservedInvalid(std::string host) {
    // Compare without case and without the root dot.
    for (char& c : host) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    if (!host.empty() && host.back() == '.') host.pop_back();
    return host == "invalid" || (host.size() > 8 && host.ends_with(".invalid"));
}

}  // namespace

std::optional<std::vector<QHostAddress>> HostLookup::Resolve(const std::string& host,
                                                             std::chrono::milliseconds timeout) {
    QHostAddress literal;
    if (literal.setAddress(QString::fromStdString(host))) return std::vector{literal};
    if (host.empty() || IsReservedInvalid(host)) return std::nullopt;

    if (!pending_ || pending_->host != host) {
        pending_ = std::make_shared<Pending>();
        pending_->host = host;
        try {
            std::thread([pending = pending_] { LookUp(pending); }).detach();
        } catch (const std::system_error&) {
            pending_.reset();
            return std::nullopt;
        }
    }
    std::unique_lock lock(pending_->mutex);
    if (!pending_->done.wait_for(lock, timeout, [&] { return pending_->finished; })) {
        return std::nullopt;
    }
    auto addresses = std::move(pending_->addresses);
    lock.unlock();
    pending_.reset();
    if (addresses.empty()) return std::nullopt;
    return addresses;
}

void HostLookup::LookUp(const std::shared_ptr<Pending>& pending) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    std::vector<QHostAddress> addresses;
    if (getaddrinfo(pending->host.c_str(), nullptr, &hints, &found) == 0) {
        for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
            addresses.emplace_back(entry->ai_addr);
        }
        freeaddrinfo(found);
    }
    std::lock_guard lock(pending->mutex);
    pending->addresses = std::move(addresses);
    pending->finished = true;
    pending->done.notify_all();
}

}  // namespace tessaly
