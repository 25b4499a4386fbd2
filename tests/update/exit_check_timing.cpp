// Times the whole exit check with default limits when the update host cannot be reached:
//   update_exit_check_timing [runs]
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/update/scripted_server.h"
#include "update/version_check.h"

namespace {

using tessaly::testing::ScriptedServer;

class NoPrompt : public tessaly::UpdatePrompt {
  public:
    bool AskToUpgrade(const std::string&, const std::string&) override { return false; }
    void OpenUrl(const std::string&) override {}
};

void Measure(const char* what, int runs, const std::function<std::string()>& url) {
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        tessaly::VersionCheckSettings settings = tessaly::DefaultVersionCheckSettings();
        const std::string query = url();
        if (!query.empty()) settings.queryUrl = query;
        NoPrompt prompt;
        const auto start = std::chrono::steady_clock::now();
        tessaly::CheckForNewVersion(prompt, settings);
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    std::printf("%-40s median %8.4f s  (min %.4f, max %.4f, %d runs)\n", what,
                seconds[seconds.size() / 2], seconds.front(), seconds.back(), runs);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;

    Measure("no network (default reserved host)", runs, [] { return std::string(); });
    // A documentation-only name: the system resolver is asked and answers that it is unknown.
    Measure("unknown name through the resolver", runs,
            [] { return std::string("http://update.tessaly.example/tsyjson.php"); });

    std::uint16_t refusing = 0;
    {
        ScriptedServer closed({{""}});
        refusing = closed.Port();
    }
    Measure("refusing port (1000 attempts)", runs,
            [&] { return "http://127.0.0.1:" + std::to_string(refusing) + "/tsyjson.php"; });

    ScriptedServer silent({{"", true}});
    Measure("silent server (2 s read time-out)", runs, [&] { return silent.Url(); });
    return 0;
}
