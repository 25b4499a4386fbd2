#include "ui/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <utility>

namespace tessaly {

namespace {

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

  private:
    int fd_;
};

FileReadResult Failure(FileReadError error, std::string reason) {
    return FileReadResult{{}, error, std::move(reason)};
}

struct Refusal {
    FileReadError error;
    std::string reason;
};

// What both readers ask of a file just opened: that it opened, is a regular file and is within
// the cap. Gives its size when it is.
std::optional<Refusal> CheckOpened(const Fd& fd, std::size_t maxBytes, std::size_t& size) {
    if (fd.get() < 0) return Refusal{FileReadError::CannotOpen, std::strerror(errno)};
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        return Refusal{FileReadError::ReadFailed, std::strerror(errno)};
    if (!S_ISREG(info.st_mode)) return Refusal{FileReadError::NotRegular, "Not a regular file"};
    if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) > maxBytes)
        return Refusal{FileReadError::TooLarge, "File too large"};
    size = static_cast<std::size_t>(info.st_size);
    return std::nullopt;
}

}  // namespace

FileReadResult ReadRegularFile(const std::string& path, std::size_t maxBytes) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer.
    const Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    std::size_t size = 0;
    if (auto refused = CheckOpened(fd, maxBytes, size))
        return Failure(refused->error, std::move(refused->reason));

    // Read up to one byte past the cap: a file that grows while it is read is still refused.
    std::string bytes(size + 1, '\0');
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(fd.get(), bytes.data() + filled, bytes.size() - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            return Failure(FileReadError::ReadFailed, std::strerror(errno));
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
        if (filled > maxBytes) return Failure(FileReadError::TooLarge, "File too large");
        if (filled == bytes.size() && filled <= maxBytes)
            bytes.resize(std::min(maxBytes + 1, bytes.size() * 2));
    }
    bytes.resize(filled);
    return FileReadResult{std::move(bytes), FileReadError::None, {}};
}

FileReadInto ReadRegularFileAt(int folder, const char* name, std::size_t maxBytes,
                               std::vector<unsigned char>& buffer) {
    auto failure = [](FileReadError error, std::string reason) {
        return FileReadInto{0, error, std::move(reason)};
    };
    const Fd fd(::openat(folder, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    std::size_t size = 0;
    if (auto refused = CheckOpened(fd, maxBytes, size))
        return failure(refused->error, std::move(refused->reason));

    // The size just checked is all that is read: a file that grows meanwhile gives its first
    // bytes, never more than the cap, and no second read is spent looking for its end.
    if (buffer.size() < size) buffer.resize(size);
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = ::read(fd.get(), buffer.data() + filled, size - filled);
        if (got < 0) {
            if (errno == EINTR) continue;
            return failure(FileReadError::ReadFailed, std::strerror(errno));
        }
        if (got == 0) break;
        filled += static_cast<std::size_t>(got);
    }
    return FileReadInto{filled, FileReadError::None, {}};
}

}  // namespace tessaly
