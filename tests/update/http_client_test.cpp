#include "update/http_client.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>

#include "tests/update/scripted_server.h"
#include "update/cookie_store.h"
#include "update/http_request.h"
#include "update/http_response.h"
#include "update/tcp_connection.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;
using test::DeadPort;
using test::HttpAnswer;
using test::ScriptedAnswer;
using test::ScriptedServer;
using Clock = std::chrono::steady_clock;

// The read time-out is one that only a server that fell silent reaches, however busy the machine.
std::string Fetch(const ScriptedServer& server, int attempts,
                  std::chrono::milliseconds readTimeout = 10s) {
    HttpClient client;
    client.SetReadTimeout(readTimeout);
    client.SetConnectTimeout(2000ms);
    client.SetDeadline(Clock::now() + 30s);
    return FetchUrlText(client, server.Url(), attempts);
}

TEST(FetchUrlText, SendsTheRequestHeadByteForByte) {
    ScriptedServer server({{HttpAnswer("200 OK", "")}});
    EXPECT_EQ(Fetch(server, 5), "");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 1u) << "an empty 200 is a success";
    EXPECT_EQ(requests[0],
              "GET /tsyjson.php HTTP/1.1\r\n"
              "Host: 127.0.0.1:" +
                  std::to_string(server.Port()) +
                  "\r\n"
                  "Accept: text/html, */*\r\n"
                  "Accept-Encoding: identity\r\n"
                  "User-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"
                  "\r\n");
}

TEST(FetchUrlText, KeepsTheQueryAndLeavesOutTheDefaultPort) {
    ScriptedServer server({{HttpAnswer("200 OK", "x")}});
    HttpClient client;
    EXPECT_EQ(FetchUrlText(client, server.Url("/a/b.php?x=1&y=%20"), 1), "x");
    EXPECT_EQ(server.Requests().at(0).substr(0, 30), "GET /a/b.php?x=1&y=%20 HTTP/1.");
    // No test server can sit on port 80, so the head is checked on its own.
    EXPECT_NE(BuildRequestHead("update.tessaly.invalid", 80, "/", "")
                  .find("\r\nHost: update.tessaly.invalid\r\n"),
              std::string::npos);
}

TEST(FetchUrlText, NeverFollowsRedirects) {
    ScriptedServer server({{HttpAnswer("302 Found", "", "Location: /elsewhere\r\n")}});
    EXPECT_EQ(Fetch(server, 4), "");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 4u);
    for (const auto& request : requests) EXPECT_EQ(request.rfind("GET /tsyjson.php ", 0), 0u);
}

TEST(FetchUrlText, TreatsA200WithLocationAsFailure) {
    ScriptedServer server({{HttpAnswer("200 OK", "{}", "Location: /elsewhere\r\n")}});
    EXPECT_EQ(Fetch(server, 2), "");
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(FetchUrlText, RetriesErrorsUntilTheFirstSuccess) {
    ScriptedServer server({{HttpAnswer("500 Oops", "first")},
                           {HttpAnswer("500 Oops", "second")},
                           {HttpAnswer("200 OK", "third")},
                           {HttpAnswer("200 OK", "fourth")}});
    EXPECT_EQ(Fetch(server, 10), "third");
    EXPECT_EQ(server.Requests().size(), 3u);
}

TEST(FetchUrlText, GivesUpWhenTheAttemptsRunOut) {
    ScriptedServer server({{HttpAnswer("404 Not Found", "")}, {HttpAnswer("200 OK", "late")}});
    EXPECT_EQ(Fetch(server, 1), "");
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(FetchUrlText, JoinsChunks) {
    ScriptedServer server(
        {{"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
          "4\r\n{\"ve\r\n10\r\nrsion\":\"1.02\"}  \r\n0\r\n\r\n",
          true}});
    // The server stays open: a client waiting for the close would time out and fail.
    EXPECT_EQ(Fetch(server, 1), "{\"version\":\"1.02\"}  ");
}

TEST(FetchUrlText, ReadsABodyThatEndsWithTheConnection) {
    ScriptedServer server({{"HTTP/1.1 200 OK\r\n\r\nall of it\r\nuntil the close"}});
    EXPECT_EQ(Fetch(server, 1), "all of it\r\nuntil the close");
}

TEST(FetchUrlText, TreatsAResetAsABreakNotAsTheEndOfTheBody) {
    ScriptedServer server({{"HTTP/1.1 200 OK\r\n\r\n{\"version\":\"1.0", false, true}});
    EXPECT_EQ(Fetch(server, 2), "");
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(FetchUrlText, FailsWhenAnOpenEndedBodyFallsSilent) {
    ScriptedServer server({{"HTTP/1.1 200 OK\r\n\r\npart", true}});
    EXPECT_EQ(Fetch(server, 2, 100ms), "");
    EXPECT_EQ(server.Requests().size(), 2u);
}

// Without the read time-out the first attempt would wait for the whole deadline.
TEST(FetchUrlText, FailsOnASilentServerAfterTheReadTimeout) {
    ScriptedServer server({{"", true}});
    EXPECT_EQ(Fetch(server, 2, 150ms), "");
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(FetchUrlText, SendsCookiesSetByEarlierAnswers) {
    ScriptedServer server({{HttpAnswer("500 Oops", "",
                                       "Set-Cookie: sid=abc; Path=/\r\n"
                                       "Set-Cookie: other=1; Path=/elsewhere\r\n")},
                           {HttpAnswer("503 Busy", "", "Set-Cookie: lang=zh\r\n")},
                           {HttpAnswer("200 OK", "ok")}});
    EXPECT_EQ(Fetch(server, 3), "ok");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].find("Cookie:"), std::string::npos);
    EXPECT_NE(requests[1].find("\r\nCookie: sid=abc\r\n\r\n"), std::string::npos) << requests[1];
    EXPECT_NE(requests[2].find("\r\nCookie: sid=abc; lang=zh\r\n\r\n"), std::string::npos)
        << requests[2];
}

// Each answer sets more cookies than are kept, several too big to send together, one too big
// to keep, and two that would break the request head.
TEST(FetchUrlText, KeepsCookiesWithinBoundsUnderAFlood) {
    constexpr int rounds = 20;
    std::vector<ScriptedAnswer> script;
    for (int round = 0; round < rounds; ++round) {
        const std::string r = std::to_string(round);
        std::string headers;
        for (int i = 0; i < 60; ++i)
            headers += "Set-Cookie: s" + r + "_" + std::to_string(i) + "=v\r\n";
        for (int i = 0; i < 5; ++i) {
            const std::string name = "big" + r + "_" + std::to_string(i);
            headers += "Set-Cookie: " + name + "=" +
                       std::string(CookieSizeLimit - name.size(), 'b') + "\r\n";
        }
        // Its longer path would put it first in the header.
        headers += "Set-Cookie: huge" + r + "=" + std::string(CookieSizeLimit, 'h') +
                   "; Path=/tsyjson.php\r\n";
        headers += "Set-Cookie: cr" + r + "=a\rInjected: 1\r\n";
        headers += std::string("Set-Cookie: nul") + r + "=a" + '\0' + "b\r\n";
        script.push_back({HttpAnswer("500 Oops", "", headers)});
    }
    script.push_back({HttpAnswer("200 OK", "ok")});
    ScriptedServer server(script);
    EXPECT_EQ(Fetch(server, rounds + 1), "ok");
    const auto requests = server.Requests();
    ASSERT_EQ(requests.size(), rounds + 1u);
    for (int round = 1; round <= rounds; ++round) {
        const std::string& request = requests[static_cast<std::size_t>(round)];
        const auto start = request.find("\r\nCookie: ");
        ASSERT_NE(start, std::string::npos) << round;
        const std::string header =
            request.substr(start + 10, request.find("\r\n", start + 2) - start - 10);
        EXPECT_LE(header.size(), CookieHeaderLimit);
        EXPECT_LT(std::count(header.begin(), header.end(), ';'), int{CookieCountLimit});
        EXPECT_EQ(header.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
        EXPECT_EQ(request.find("Injected"), std::string::npos);
        EXPECT_EQ(header.find("huge"), std::string::npos);
        // The newest cookies are kept, the older ones give way.
        EXPECT_NE(header.find("s" + std::to_string(round - 1) + "_59=v"), std::string::npos);
        EXPECT_NE(header.find("big" + std::to_string(round - 1) + "_0="), std::string::npos);
        if (round > 1) {
            EXPECT_EQ(header.find("s" + std::to_string(round - 2) + "_"), std::string::npos);
        }
    }
}

// Each limit of the store is met exactly, and one byte or one cookie more is not kept.
TEST(CookieStore, HoldsEachLimitExactlyAndNotOneMore) {
    const QUrl url("http://127.0.0.1/tsyjson.php");
    // A cookie of `size` bytes, name and value together.
    const auto cookie = [](const std::string& name, std::size_t size) {
        return name + "=" + std::string(size - name.size(), 'v');
    };
    const auto entries = [](const std::string& header) {
        return header.empty() ? 0 : std::count(header.begin(), header.end(), ';') + 1;
    };
    {
        CookieStore store;
        store.Take({cookie("a", CookieSizeLimit), cookie("b", CookieSizeLimit + 1)}, url);
        EXPECT_EQ(store.HeaderFor(url), cookie("a", CookieSizeLimit));
    }
    // A full store, then one answer more, with a cookie more or none.
    for (std::size_t count : {CookieCountLimit, CookieCountLimit + 1}) {
        std::vector<std::string> answers[2];
        for (std::size_t i = 0; i < count; ++i)
            answers[i / CookieCountLimit].push_back("c" + std::to_string(i) + "=v");
        CookieStore store;
        for (const auto& answer : answers) store.Take(answer, url);
        const std::string header = store.HeaderFor(url);
        EXPECT_EQ(entries(header), int{CookieCountLimit}) << count;
        const bool oldestKept = ("; " + header + ";").find("; c0=v;") != std::string::npos;
        EXPECT_EQ(oldestKept, count == CookieCountLimit) << count;
    }
    // Four pairs and the three separators between them fill the header to the byte, then to
    // one byte over, which leaves one cookie out.
    for (std::size_t over : {0, 1}) {
        const std::size_t pair = (CookieHeaderLimit - 6) / 4;
        CookieStore store;
        store.Take({cookie("a", pair - 1), cookie("b", pair - 1), cookie("c", pair - 1),
                    cookie("d", CookieHeaderLimit - 6 - 3 * pair - 1 + over)},
                   url);
        const std::string header = store.HeaderFor(url);
        EXPECT_EQ(entries(header), over ? 3 : 4) << over;
        if (!over) {
            EXPECT_EQ(header.size(), CookieHeaderLimit);
        }
    }
}

TEST(FetchUrlText, RefusesBodiesOverTheCap) {
    const std::string big(HttpBodyLimit + 1, 'x');
    ScriptedServer declared({{HttpAnswer("200 OK", big)}});
    EXPECT_EQ(Fetch(declared, 1), "");
    ScriptedServer openEnded({{"HTTP/1.1 200 OK\r\n\r\n" + big}});
    EXPECT_EQ(Fetch(openEnded, 1), "");
    ScriptedServer fits({{HttpAnswer("200 OK", big.substr(1))}});
    EXPECT_EQ(Fetch(fits, 1).size(), HttpBodyLimit);
}

TEST(FetchUrlText, FailsOnABodyCutShortOfItsLength) {
    ScriptedServer server({{"HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\nabc"}});
    EXPECT_EQ(Fetch(server, 2), "");
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(FetchUrlText, EndsQuicklyOnARefusedPort) {
    DeadPort refusing(DeadPort::Kind::Refusing);
    HttpClient client;
    client.SetDeadline(Clock::now() + 60s);
    EXPECT_EQ(FetchUrlText(client, refusing.Url(), 1000), "");
    EXPECT_FALSE(client.DeadlinePassed());
}

TEST(FetchUrlText, RejectsUrlsItCannotFetch) {
    HttpClient client;
    for (const char* url :
         {"", "https://127.0.0.1/", "ftp://127.0.0.1/", "http:///x", "nonsense"}) {
        EXPECT_EQ(FetchUrlText(client, url, 3), "") << url;
    }
}

TEST(FetchUrlText, StopsAtTheDeadline) {
    ScriptedServer server({{"", true}});
    HttpClient client;
    client.SetReadTimeout(60s);
    const auto start = Clock::now();
    client.SetDeadline(start + 1s);
    EXPECT_EQ(FetchUrlText(client, server.Url(), 1000), "");
    EXPECT_TRUE(client.DeadlinePassed());
    EXPECT_LT(Clock::now() - start, 30s) << "the one read wait was not cut short";
    EXPECT_LE(server.Requests().size(), 1u);
}

TEST(FetchUrlText, BoundsConnectionSetUp) {
    DeadPort dropping(DeadPort::Kind::Dropping);
    HttpClient client;
    client.SetReadTimeout(5s);  // a connection that got through would wait 15 s in all
    client.SetConnectTimeout(100ms);
    client.SetDeadline(Clock::now() + 30s);
    EXPECT_EQ(FetchUrlText(client, dropping.Url(), 3), "");
    EXPECT_FALSE(client.DeadlinePassed()) << "a wait for a connection outlived its limit";
}

// The connection on its own, against the loopback server: a refusal, and each way a peer can
// end, are told apart, and the bytes sent before the end are all there. A peer that never reads
// fills the socket's buffers, and the send waiting for room still ends at its moment.
TEST(TcpConnection, TellsARefusalACloseAResetAndSilenceApart) {
    using Received = TcpConnection::Received;
    DeadPort refusing(DeadPort::Kind::Refusing);
    TcpConnection refused;
    EXPECT_FALSE(refused.Connect(QHostAddress::LocalHost, refusing.Port(), Clock::now() + 30s));

    auto deaf = std::make_unique<DeadPort>(DeadPort::Kind::Deaf);
    TcpConnection stuffed;
    ASSERT_TRUE(stuffed.Connect(QHostAddress::LocalHost, deaf->Port(), Clock::now() + 30s));
    const std::string megabytes(32 << 20, 'x');  // far more than the buffers on both sides hold
    auto sending = std::async(std::launch::async,
                              [&] { return stuffed.Send(megabytes, Clock::now() + 200ms); });
    // Only a send that ignores its moment outlasts this wait; closing the port frees it.
    const bool ended = sending.wait_for(30s) == std::future_status::ready;
    if (!ended) deaf.reset();
    EXPECT_TRUE(ended) << "the send outlived its moment";
    EXPECT_FALSE(sending.get());
    struct Row {
        const char* what;
        ScriptedAnswer answer;
        Received end;
    };
    const Row rows[] = {
        {"closed after bytes", {"abc"}, Received::Closed},
        {"closed at once", {""}, Received::Closed},
        {"reset after bytes", {"abc", false, true}, Received::Reset},
        {"reset at once", {"", false, true}, Received::Reset},
        {"silent after bytes", {"abc", true}, Received::TimedOut},
    };
    for (const Row& row : rows) {
        ScriptedServer server({row.answer});
        TcpConnection connection;
        const auto late = Clock::now() + 30s;
        ASSERT_TRUE(connection.Connect(QHostAddress::LocalHost, server.Port(), late)) << row.what;
        ASSERT_TRUE(connection.Send("GET / HTTP/1.1\r\n\r\n", late)) << row.what;
        std::string got;
        while (got.size() < row.answer.bytes.size()) {
            ASSERT_EQ(connection.Receive(got, 64, late), Received::Data) << row.what;
        }
        // Only silence may run into the moment given; the other ends come before it.
        const auto until = row.end == Received::TimedOut ? Clock::now() + 100ms : late;
        EXPECT_EQ(connection.Receive(got, 64, until), row.end) << row.what;
        EXPECT_EQ(got, row.answer.bytes) << row.what;
    }
}

// A server that never stops sending still cannot keep a reader past its moment.
TEST(TcpConnection, APassedMomentEndsAReceiveEvenWithBytesWaiting) {
    using Received = TcpConnection::Received;
    ScriptedServer server({{"abc", true}});
    TcpConnection connection;
    const auto late = Clock::now() + 30s;
    ASSERT_TRUE(connection.Connect(QHostAddress::LocalHost, server.Port(), late));
    ASSERT_TRUE(connection.Send("GET / HTTP/1.1\r\n\r\n", late));
    std::string got;
    ASSERT_EQ(connection.Receive(got, 1, late), Received::Data);  // the rest came with it
    EXPECT_EQ(connection.Receive(got, 64, Clock::now() - 1ms), Received::TimedOut);
    EXPECT_FALSE(connection.Send("more", Clock::now() - 1ms)) << "nor a writer";
    EXPECT_EQ(got, "a");
    EXPECT_EQ(connection.Receive(got, 64, late), Received::Data);
    EXPECT_EQ(got, "abc") << "the bytes were waiting all along";
}

}  // namespace
}  // namespace tessaly
