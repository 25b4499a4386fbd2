// Reading one HTTP/1.1 answer from a byte stream: status line, headers, interim 100 answers,
// and a body delimited by chunks, by Content-Length or by the end of the connection.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tessaly {

// Where the answer's bytes come from: a socket in the game, memory in tests and fuzzing.
class ByteSource {
  public:
    enum class Status { Data, Closed, Failed };
    virtual ~ByteSource() = default;
    // Waits for more bytes and appends up to `max` of them to `out` (Data), or reports that the
    // peer closed the connection in order (Closed) or that waiting failed or timed out (Failed).
    virtual Status Read(std::string& out, std::size_t max) = 0;
};

enum class HttpOutcome {
    Success,      // 2xx without Location: the body is complete
    ErrorAnswer,  // any other readable answer: redirects, 1xx, 4xx, 5xx
    Broken,       // no readable answer: closed, timed out, malformed, too large
};

struct HttpResponse {
    HttpOutcome outcome = HttpOutcome::Broken;
    int status = 0;
    std::string body;                     // only kept on success
    std::vector<std::string> setCookies;  // every Set-Cookie value seen, whatever the outcome
};

// A larger body is not worth waiting for: the version reply is a few dozen bytes.
inline constexpr std::size_t HttpBodyLimit = std::size_t{1} << 20;
// Status lines, headers and chunk trailers together; also the length of any one line.
inline constexpr std::size_t HttpHeadLimit = 64 * 1024;

HttpResponse ReadHttpResponse(ByteSource& source, std::size_t bodyLimit = HttpBodyLimit);

}  // namespace tessaly
