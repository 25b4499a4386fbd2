#include "update/http_response.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaly {
namespace {

// Hands out a fixed stream in pieces of a chosen size, then reports how it ends.
class MemorySource : public ByteSource {
  public:
    MemorySource(std::string data, std::size_t piece, Status end)
        : data_(std::move(data)), piece_(piece), end_(end) {}

    Status Read(std::string& out, std::size_t max) override {
        if (pos_ == data_.size()) return end_;
        const std::size_t take = std::min({piece_, max, data_.size() - pos_});
        out.append(data_, pos_, take);
        pos_ += take;
        return Status::Data;
    }

  private:
    std::string data_;
    std::size_t piece_;
    std::size_t pos_ = 0;
    Status end_;
};

struct AnswerCase {
    const char* what;
    std::string stream;
    ByteSource::Status end;
    HttpOutcome outcome;
    std::string body;
};

void PrintTo(const AnswerCase& c, std::ostream* out) {
    *out << c.what;
}

using S = ByteSource::Status;
using O = HttpOutcome;

class ReadAnswer : public ::testing::TestWithParam<AnswerCase> {};

// Every case is read whole and byte by byte: the framing must not depend on how the bytes
// arrive.
TEST_P(ReadAnswer, DecidesTheOutcomeAndBody) {
    const AnswerCase& c = GetParam();
    for (std::size_t piece : {std::size_t{1}, std::size_t{7}, c.stream.size() + 1}) {
        MemorySource source(c.stream, piece, c.end);
        const HttpResponse response = ReadHttpResponse(source, 16);
        EXPECT_EQ(response.outcome, c.outcome) << "pieces of " << piece;
        EXPECT_EQ(response.body, c.body) << "pieces of " << piece;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ReadAnswer,
    ::testing::Values(
        AnswerCase{"length", "HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\nabcdef", S::Failed,
                   O::Success, "abc"},
        AnswerCase{"zero length", "HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n", S::Failed,
                   O::Success, ""},
        AnswerCase{"length cut short", "HTTP/1.1 200 OK\r\nContent-Length: 9\r\n\r\nabc", S::Closed,
                   O::Broken, ""},
        AnswerCase{"length over the cap", "HTTP/1.1 200 OK\r\nContent-Length: 17\r\n\r\n",
                   S::Closed, O::Broken, ""},
        AnswerCase{"length of the cap",
                   "HTTP/1.1 200 OK\r\nContent-Length: 16\r\n\r\n" + std::string(16, 'x'),
                   S::Failed, O::Success, std::string(16, 'x')},
        AnswerCase{"length not a number", "HTTP/1.1 200 OK\r\nContent-Length: 3x\r\n\r\nabc",
                   S::Closed, O::Broken, ""},
        AnswerCase{"two different lengths",
                   "HTTP/1.1 200 OK\r\nContent-Length: 3\r\nContent-Length: 2\r\n\r\nabc",
                   S::Closed, O::Broken, ""},
        AnswerCase{"until close", "HTTP/1.1 200 OK\r\n\r\nabc\r\ndef", S::Closed, O::Success,
                   "abc\r\ndef"},
        AnswerCase{"until close, then silence", "HTTP/1.1 200 OK\r\n\r\nabc", S::Failed, O::Broken,
                   ""},
        AnswerCase{"until close over the cap", "HTTP/1.1 200 OK\r\n\r\n" + std::string(17, 'x'),
                   S::Closed, O::Broken, ""},
        AnswerCase{"exactly the cap", "HTTP/1.1 200 OK\r\n\r\n" + std::string(16, 'x'), S::Closed,
                   O::Success, std::string(16, 'x')},
        AnswerCase{"chunked",
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: Chunked\r\nContent-Length: 1\r\n\r\n"
                   "3;ext=1\r\nabc\r\nA\r\n0123456789\r\n0\r\nTrailer: x\r\n\r\n",
                   S::Failed, O::Success, "abc0123456789"},
        AnswerCase{"chunked, closed after the last chunk",
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\nab\r\n0\r\n",
                   S::Closed, O::Success, "ab"},
        AnswerCase{"chunk cut short",
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab", S::Closed,
                   O::Broken, ""},
        AnswerCase{"chunks over the cap",
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\n123456789\r\n"
                   "8\r\n12345678\r\n0\r\n\r\n",
                   S::Failed, O::Broken, ""},
        AnswerCase{"chunks of the cap",
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\n123456789\r\n"
                   "7\r\n1234567\r\n0\r\n\r\n",
                   S::Failed, O::Success, "1234567891234567"},
        AnswerCase{"chunk size not hex",
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n", S::Closed,
                   O::Broken, ""},
        AnswerCase{"huge chunk size",
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nffffffffffffffffff\r\n",
                   S::Closed, O::Broken, ""},
        AnswerCase{"interim 100 first",
                   "HTTP/1.1 100 Continue\r\nX: y\r\n\r\nHTTP/1.1 201 Created\r\n"
                   "Content-Length: 2\r\n\r\nok",
                   S::Failed, O::Success, "ok"},
        AnswerCase{"no content", "HTTP/1.1 204 No Content\r\n\r\n", S::Failed, O::Success, ""},
        AnswerCase{"bare line feeds", "HTTP/1.0 200 OK\nContent-Length: 2\n\nok", S::Failed,
                   O::Success, "ok"},
        AnswerCase{"200 with Location",
                   "HTTP/1.1 200 OK\r\nlocation: /x\r\nContent-Length: 2\r\n\r\nok", S::Failed,
                   O::ErrorAnswer, ""},
        AnswerCase{"redirect", "HTTP/1.1 302 Found\r\nLocation: /x\r\nContent-Length: 0\r\n\r\n",
                   S::Failed, O::ErrorAnswer, ""},
        AnswerCase{"not modified", "HTTP/1.1 304 Not Modified\r\n\r\n", S::Failed, O::ErrorAnswer,
                   ""},
        AnswerCase{"other interim answer", "HTTP/1.1 101 Switching\r\n\r\n", S::Failed,
                   O::ErrorAnswer, ""},
        AnswerCase{"server error", "HTTP/1.1 500 Oops\r\n\r\nsorry", S::Closed, O::ErrorAnswer, ""},
        AnswerCase{"nothing at all", "", S::Closed, O::Broken, ""},
        AnswerCase{"silent", "", S::Failed, O::Broken, ""},
        AnswerCase{"head cut short", "HTTP/1.1 200 OK\r\nContent-Le", S::Closed, O::Broken, ""},
        AnswerCase{"status not a number", "HTTP/1.1 2x0 OK\r\n\r\n", S::Closed, O::Broken, ""},
        AnswerCase{"status too long", "HTTP/1.1 2000 OK\r\n\r\n", S::Closed, O::Broken, ""},
        AnswerCase{"not HTTP", "<html>\r\n\r\n", S::Closed, O::Broken, ""}));

TEST(HttpResponseReader, KeepsCookiesOfEveryAnswer) {
    MemorySource source(
        "HTTP/1.1 100 Continue\r\nSet-Cookie: a=1\r\n\r\n"
        "HTTP/1.1 500 Oops\r\nset-cookie:  b=2; Path=/ \r\nContent-Length: 0\r\n\r\n",
        5, S::Closed);
    const HttpResponse response = ReadHttpResponse(source);
    EXPECT_EQ(response.outcome, O::ErrorAnswer);
    EXPECT_EQ(response.status, 500);
    EXPECT_EQ(response.setCookies, (std::vector<std::string>{"a=1", "b=2; Path=/"}));
}

TEST(HttpResponseReader, GivesUpOnEndlessHeaders) {
    std::string head = "HTTP/1.1 200 OK\r\n";
    while (head.size() <= HttpHeadLimit) head += "X-Filler: 0123456789abcdef\r\n";
    MemorySource many(head + "\r\n", 4096, S::Closed);
    EXPECT_EQ(ReadHttpResponse(many).outcome, O::Broken);
    MemorySource longLine("HTTP/1.1 200 OK\r\nX: " + std::string(HttpHeadLimit, 'x'), 4096,
                          S::Closed);
    EXPECT_EQ(ReadHttpResponse(longLine).outcome, O::Broken);
    std::string interim;
    while (interim.size() <= HttpHeadLimit) interim += "HTTP/1.1 100 Continue\r\n\r\n";
    MemorySource continues(interim, 4096, S::Closed);
    EXPECT_EQ(ReadHttpResponse(continues).outcome, O::Broken);
    // The whole head, its closing blank line included, may fill the cap to the byte.
    for (std::size_t over : {0, 1}) {
        const std::string start = "HTTP/1.1 200 OK\r\nX: ";
        MemorySource exact(
            start + std::string(HttpHeadLimit - start.size() - 4 + over, 'x') + "\r\n\r\n", 4096,
            S::Closed);
        EXPECT_EQ(ReadHttpResponse(exact).outcome, over ? O::Broken : O::Success) << over;
    }
}

}  // namespace
}  // namespace tessaly
