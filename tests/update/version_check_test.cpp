#include "update/version_check.h"

#include <gtest/gtest.h>

#include <QUrl>

#include "tests/update/scripted_server.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;
using test::DeadPort;
using test::HttpAnswer;
using test::ScriptedServer;

class FakePrompt : public UpdatePrompt {
  public:
    explicit FakePrompt(bool answerYes) : answerYes_(answerYes) {}

    bool AskToUpgrade(const std::string& text, const std::string& caption) override {
        asked.push_back(text + "|" + caption);
        return answerYes_;
    }
    void OpenUrl(const std::string& url) override { opened.push_back(url); }

    std::vector<std::string> asked;
    std::vector<std::string> opened;

  private:
    bool answerYes_;
};

VersionCheckSettings SettingsFor(const ScriptedServer& server) {
    VersionCheckSettings settings;
    settings.queryUrl = server.Url();
    settings.downloadUrl = server.Url("/tsy/");
    settings.attempts = 3;
    // Limits that only a server that fell silent reaches, however busy the machine.
    settings.readTimeout = 10s;
    settings.deadline = 60s;
    return settings;
}

struct ReplyCase {
    const char* what;
    std::string body;
    bool prompts;
};

void PrintTo(const ReplyCase& c, std::ostream* out) {
    *out << c.what;
}

class VersionDecision : public ::testing::TestWithParam<ReplyCase> {};

TEST_P(VersionDecision, PromptsOnlyForAnotherVersionText) {
    ScriptedServer server({{HttpAnswer("200 OK", GetParam().body)}});
    FakePrompt prompt(false);
    CheckForNewVersion(prompt, SettingsFor(server));
    EXPECT_EQ(prompt.asked.size(), GetParam().prompts ? 1u : 0u);
    EXPECT_TRUE(prompt.opened.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, VersionDecision,
    ::testing::Values(ReplyCase{"same version", R"({"version":"1.01"})", false},
                      ReplyCase{"older version", R"({"version":"1.00"})", true},
                      ReplyCase{"newer version", R"({"version":"1.02"})", true},
                      ReplyCase{"trailing space", R"({"version":"1.01 "})", true},
                      ReplyCase{"prefixed", R"({"version":"V1.01"})", true},
                      ReplyCase{"escaped NUL after", R"({"version":"1.01\u0000"})", true},
                      ReplyCase{"raw NUL after", std::string("{\"version\":\"1.01\0\"}", 19), true},
                      ReplyCase{"number", R"({"version":1.02})", false},
                      ReplyCase{"capital name", R"({"Version":"1.02"})", false},
                      ReplyCase{"empty version", R"({"version":""})", false},
                      ReplyCase{"top-level array", R"([{"version":"1.02"}])", false},
                      ReplyCase{"html page", "<html><body>1.02</body></html>", false}));

TEST(CheckForNewVersion, OpensTheDownloadPageOnlyOnYes) {
    ScriptedServer server({{HttpAnswer("200 OK", R"({"version":"1.02"})")}});
    FakePrompt yes(true);
    CheckForNewVersion(yes, SettingsFor(server));
    EXPECT_EQ(yes.asked, std::vector<std::string>{"有新的版本了，是否升级？|提示"});
    EXPECT_EQ(yes.opened, std::vector<std::string>{server.Url("/tsy/")});

    FakePrompt no(false);
    CheckForNewVersion(no, SettingsFor(server));
    EXPECT_EQ(no.asked.size(), 1u);
    EXPECT_TRUE(no.opened.empty());
}

// The host is the build's choice; everything else of the two addresses is fixed.
TEST(CheckForNewVersion, AsksTheEndpointsOnOneHostByDefault) {
    const VersionCheckSettings settings = DefaultVersionCheckSettings();
    const QUrl query(QString::fromStdString(settings.queryUrl), QUrl::StrictMode);
    const QUrl page(QString::fromStdString(settings.downloadUrl), QUrl::StrictMode);
    for (const QUrl& url : {query, page}) {
        EXPECT_EQ(url.scheme(), "http");
        EXPECT_EQ(url.port(80), 80);
        EXPECT_FALSE(url.host().isEmpty());
        EXPECT_FALSE(url.hasQuery());
    }
    EXPECT_EQ(query.host(), page.host());
    EXPECT_EQ(query.path(), "/tsyjson.php");
    EXPECT_EQ(page.path(), "/tsy/");
    EXPECT_EQ(settings.attempts, 1000);
    EXPECT_EQ(settings.readTimeout, 2000ms);
    EXPECT_LE(settings.deadline, 10s);
}

TEST(CheckForNewVersion, EndsQuicklyAndSilentlyWithoutAResolvableHost) {
    for (const char* url :
         {"http://update.tessaly.invalid/tsyjson.php", "http://UPDATE.TESSALY.INVALID./x"}) {
        VersionCheckSettings settings;
        settings.queryUrl = url;
        settings.deadline = 60s;
        FakePrompt prompt(true);
        const auto start = std::chrono::steady_clock::now();
        CheckForNewVersion(prompt, settings);
        // A resolver waited for would hold every attempt until the deadline.
        EXPECT_LT(std::chrono::steady_clock::now() - start, 30s) << "a resolver was waited for";
        EXPECT_TRUE(prompt.asked.empty());
        EXPECT_TRUE(prompt.opened.empty());
    }
}

TEST(CheckForNewVersion, EndsSilentlyWhenTheServerNeverAnswers) {
    ScriptedServer server({{"", true}});
    VersionCheckSettings settings = SettingsFor(server);
    settings.attempts = 1000;
    settings.readTimeout = 100ms;
    settings.deadline = 350ms;
    FakePrompt prompt(true);
    CheckForNewVersion(prompt, settings);
    EXPECT_TRUE(prompt.asked.empty());
    EXPECT_LE(server.Requests().size(), 4u);
}

TEST(CheckForNewVersion, BoundsConnectionSetUpByTheReadTimeout) {
    DeadPort dropping(DeadPort::Kind::Dropping);
    VersionCheckSettings settings;
    settings.queryUrl = dropping.Url();
    settings.attempts = 3;
    settings.readTimeout = 100ms;
    settings.deadline = 60s;
    FakePrompt prompt(true);
    const auto start = std::chrono::steady_clock::now();
    CheckForNewVersion(prompt, settings);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 30s) << "ended before its deadline";
    EXPECT_TRUE(prompt.asked.empty());
}

}  // namespace
}  // namespace tessaly
