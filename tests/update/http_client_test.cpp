#include "update/http_client.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "tests/update/scripted_server.h"
#include "update/http_response.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;
using testing::HttpAnswer;
using testing::ScriptedAnswer;
using testing::ScriptedServer;
using Clock = std::chrono::steady_clock;

std::string Fetch(const ScriptedServer& server, int attempts,
                  std::chrono::milliseconds readTimeout = 2000ms) {
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
    EXPECT_EQ(Fetch(server, 1, 200ms), "{\"version\":\"1.02\"}  ");
}

TEST(FetchUrlText, ReadsABodyThatEndsWithTheConnection) {
    ScriptedServer server({{"HTTP/1.1 200 OK\r\n\r\nall of it\r\nuntil the close"}});
    EXPECT_EQ(Fetch(server, 1), "all of it\r\nuntil the close");
}

TEST(FetchUrlText, FailsWhenAnOpenEndedBodyFallsSilent) {
    ScriptedServer server({{"HTTP/1.1 200 OK\r\n\r\npart", true}});
    EXPECT_EQ(Fetch(server, 2, 100ms), "");
    EXPECT_EQ(server.Requests().size(), 2u);
}

TEST(FetchUrlText, FailsOnASilentServerAfterTheReadTimeout) {
    ScriptedServer server({{"", true}});
    const auto start = Clock::now();
    EXPECT_EQ(Fetch(server, 2, 150ms), "");
    EXPECT_GE(Clock::now() - start, 300ms) << "each attempt waits out its read time-out";
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
    std::uint16_t port = 0;
    {
        ScriptedServer closed({{""}});
        port = closed.Port();
    }
    HttpClient client;
    client.SetDeadline(Clock::now() + 60s);
    EXPECT_EQ(FetchUrlText(client, "http://127.0.0.1:" + std::to_string(port) + "/", 1000), "");
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
    client.SetReadTimeout(2000ms);
    client.SetDeadline(Clock::now() + 300ms);
    EXPECT_EQ(FetchUrlText(client, server.Url(), 1000), "");
    EXPECT_TRUE(client.DeadlinePassed());
    EXPECT_EQ(server.Requests().size(), 1u) << "the one read wait was cut short";
}

// A listener whose queue is full and that never accepts makes the kernel drop new connection
// attempts, as a firewalled host does.
TEST(FetchUrlText, BoundsConnectionSetUp) {
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    ASSERT_EQ(listen(listener, 0), 0);
    ASSERT_EQ(getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
    std::vector<int> fillers;
    for (int i = 0; i < 4; ++i) {
        fillers.push_back(socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0));
        connect(fillers.back(), reinterpret_cast<sockaddr*>(&address), length);
    }
    HttpClient client;
    client.SetReadTimeout(5s);  // a connection that got through would wait 15 s in all
    client.SetConnectTimeout(100ms);
    client.SetDeadline(Clock::now() + 30s);
    const auto start = Clock::now();
    EXPECT_EQ(FetchUrlText(client,
                           "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port)) + "/", 3),
              "");
    EXPECT_LT(Clock::now() - start, 5s);
    for (int fd : fillers) close(fd);
    close(listener);
}

}  // namespace
}  // namespace tessaly
