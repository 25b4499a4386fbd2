#include "update/http_response.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <string_view>

namespace tessaly {

namespace {

constexpr std::size_t ReadPiece = 16 * 1024;

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        return lower(x) == lower(y);
    });
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// Buffers the source and hands out lines and byte runs, never more than the caller allows.
class StreamReader {
  public:
    explicit StreamReader(ByteSource& source) : source_(source) {}

    // A line without its CR LF (or bare LF); nothing when the stream ends or fails first or the
    // line would exceed `limit` bytes.
    std::optional<std::string> Line(std::size_t limit) {
        std::size_t scanned = 0;
        while (true) {
            const auto newline = buffer_.find('\n', pos_ + scanned);
            if (newline != std::string::npos) {
                if (newline - pos_ > limit) return std::nullopt;
                std::string line = buffer_.substr(pos_, newline - pos_);
                pos_ = newline + 1;
                if (!line.empty() && line.back() == '\r') line.pop_back();
                return line;
            }
            scanned = buffer_.size() - pos_;
            if (scanned > limit || Fill() != ByteSource::Status::Data) return std::nullopt;
        }
    }

    // Appends exactly `count` bytes to `out`; false when the stream ends or fails first.
    bool Bytes(std::size_t count, std::string* out) {
        while (count > 0) {
            if (pos_ == buffer_.size() && Fill() != ByteSource::Status::Data) return false;
            const std::size_t take = std::min(count, buffer_.size() - pos_);
            if (out) out->append(buffer_, pos_, take);
            pos_ += take;
            count -= take;
        }
        return true;
    }

    // Everything until the peer closes; false when waiting fails or more than `limit` arrives.
    bool UntilClose(std::size_t limit, std::string* out) {
        std::size_t total = 0;
        while (true) {
            const std::size_t take = buffer_.size() - pos_;
            total += take;
            if (total > limit) return false;
            if (out) out->append(buffer_, pos_, take);
            pos_ = buffer_.size();
            switch (Fill()) {
                case ByteSource::Status::Data:
                    break;
                case ByteSource::Status::Closed:
                    return true;
                case ByteSource::Status::Failed:
                    return false;
            }
        }
    }

  private:
    ByteSource::Status Fill() {
        if (pos_ == buffer_.size()) {
            buffer_.clear();
            pos_ = 0;
        } else if (pos_ > ReadPiece) {
            buffer_.erase(0, pos_);
            pos_ = 0;
        }
        return source_.Read(buffer_, ReadPiece);
    }

    ByteSource& source_;
    std::string buffer_;
    std::size_t pos_ = 0;
};

struct Head {
    int status = 0;
    bool chunked = false;
    bool hasLocation = false;
    std::optional<std::size_t> contentLength;
    bool badLength = false;
};

// "HTTP/1.1 200 OK" -> 200; anything without three digits after the version is unreadable.
std::optional<int> StatusCode(std::string_view line) {
    if (line.substr(0, 5) != "HTTP/") return std::nullopt;
    const auto space = line.find(' ');
    if (space == std::string_view::npos) return std::nullopt;
    const std::string_view rest = line.substr(space + 1);
    if (rest.size() < 3 || (rest.size() > 3 && rest[3] != ' ')) return std::nullopt;
    int code = 0;
    auto [end, error] = std::from_chars(rest.data(), rest.data() + 3, code);
    if (error != std::errc{} || end != rest.data() + 3 || code < 100) return std::nullopt;
    return code;
}

void TakeHeader(std::string_view line, Head& head, HttpResponse& response) {
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) return;
    const std::string_view name = Trim(line.substr(0, colon));
    const std::string_view value = Trim(line.substr(colon + 1));
    if (EqualsIgnoringCase(name, "Set-Cookie")) {
        response.setCookies.emplace_back(value);
    } else if (EqualsIgnoringCase(name, "Location")) {
        head.hasLocation = true;
    } else if (EqualsIgnoringCase(name, "Transfer-Encoding")) {
        // Chunked must be the last coding to delimit the body.
        const auto comma = value.rfind(',');
        const auto last = Trim(comma == std::string_view::npos ? value : value.substr(comma + 1));
        head.chunked = EqualsIgnoringCase(last, "chunked");
    } else if (EqualsIgnoringCase(name, "Content-Length")) {
        std::size_t length = 0;
        auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
        if (value.empty() || error != std::errc{} || end != value.data() + value.size() ||
            (head.contentLength && *head.contentLength != length)) {
            head.badLength = true;
        }
        head.contentLength = length;
    }
}

// Status line and headers, skipping interim 100 answers; nothing when unreadable.
std::optional<Head> ReadHead(StreamReader& reader, HttpResponse& response) {
    std::size_t budget = HttpHeadLimit;
    auto line = [&]() -> std::optional<std::string> {
        // Line ends count too, or endless empty-valued lines would never use it up: a line,
        // its carriage return included, must leave room for its line feed.
        if (budget == 0) return std::nullopt;
        auto text = reader.Line(budget - 1);
        if (text) budget -= std::min(budget, text->size() + 2);
        return text;
    };
    while (true) {
        const auto statusLine = line();
        if (!statusLine) return std::nullopt;
        const auto code = StatusCode(*statusLine);
        if (!code) return std::nullopt;
        Head head;
        head.status = *code;
        while (true) {
            const auto header = line();
            if (!header) return std::nullopt;
            if (header->empty()) break;
            TakeHeader(*header, head, response);
        }
        if (head.status != 100) return head;
    }
}

bool ReadChunked(StreamReader& reader, std::size_t limit, std::string* body) {
    std::size_t total = 0;
    while (true) {
        const auto sizeLine = reader.Line(HttpHeadLimit);
        if (!sizeLine) return false;
        const std::string_view digits =
            Trim(std::string_view(*sizeLine).substr(0, sizeLine->find(';')));
        std::size_t size = 0;
        auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), size, 16);
        if (digits.empty() || error != std::errc{} || end != digits.data() + digits.size()) {
            return false;
        }
        if (size == 0) break;
        if (size > limit - total) return false;
        total += size;
        if (!reader.Bytes(size, body)) return false;
        const auto rest = reader.Line(HttpHeadLimit);
        if (!rest || !rest->empty()) return false;
    }
    // The trailer ends with an empty line; the data is already whole, so a close here is fine.
    std::size_t budget = HttpHeadLimit;
    while (const auto trailer = reader.Line(budget)) {
        if (trailer->empty()) break;
        budget -= std::min(budget, trailer->size() + 2);
    }
    return true;
}

bool ReadBody(StreamReader& reader, const Head& head, std::size_t limit, std::string* body) {
    if (head.status == 204 || head.status == 304 || head.status < 200) return true;
    if (head.chunked) return ReadChunked(reader, limit, body);
    if (head.contentLength) {
        return !head.badLength && *head.contentLength <= limit &&
               reader.Bytes(*head.contentLength, body);
    }
    return reader.UntilClose(limit, body);
}

}  // namespace

HttpResponse ReadHttpResponse(ByteSource& source, std::size_t bodyLimit) {
    HttpResponse response;
    StreamReader reader(source);
    const auto head = ReadHead(reader, response);
    if (!head) return response;
    response.status = head->status;
    const bool success = head->status >= 200 && head->status <= 299 && !head->hasLocation;
    // An error answer's body is read only to finish the exchange, then dropped.
    std::string body;
    if (!ReadBody(reader, *head, bodyLimit, success ? &body : nullptr)) return response;
    if (success) {
        response.outcome = HttpOutcome::Success;
        response.body = std::move(body);
    } else {
        response.outcome = HttpOutcome::ErrorAnswer;
    }
    return response;
}

}  // namespace tessaly
