// Times the whole exit check with default limits when the update host cannot be reached or
// is hostile, and counts the TCP connections that refused attempts open:
//   update_exit_check_timing [runs]
// Run it in a network namespace of its own (unshare -n) for a connection count that no other
// program adds to.
#include <QCoreApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "tests/update/scripted_server.h"
#include "update/version_check.h"

namespace {

using tessaly::test::DeadPort;
using tessaly::test::ScriptedAnswer;
using tessaly::test::ScriptedServer;

// Connections this network namespace has begun (TcpActiveOpens in /proc/net/snmp).
long ActiveOpens() {
    std::ifstream snmp("/proc/net/snmp");
    std::string names, values;
    while (std::getline(snmp, names) && std::getline(snmp, values)) {
        if (names.rfind("Tcp:", 0) != 0) continue;
        std::istringstream n(names), v(values);
        std::string name, value;
        while (n >> name && v >> value) {
            if (name == "ActiveOpens") return std::stol(value);
        }
    }
    return -1;
}

// Each answer is an error that sets 2,000 cookies no earlier answer set.
std::vector<ScriptedAnswer> CookieFlood() {
    std::vector<ScriptedAnswer> script;
    for (int round = 0; round < 40; ++round) {
        std::string head = "HTTP/1.1 500 Busy\r\n";
        for (int i = 0; i < 2000; ++i) {
            head += "Set-Cookie: r" + std::to_string(round) + "c" + std::to_string(i) + "=v\r\n";
        }
        script.push_back({head + "Content-Length: 0\r\n\r\n"});
    }
    return script;
}

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

    // Only names that never leave the machine: the build may point the default host anywhere.
    Measure("no network (reserved name)", runs,
            [] { return std::string("http://update.tessaly.invalid/tsyjson.php"); });

    const DeadPort refusing(DeadPort::Kind::Refusing);
    const std::string url = refusing.Url();
    // localhost goes through the system resolver, which answers it from the hosts file.
    Measure("refusing port, localhost (1000 attempts)", runs,
            [&] { return "http://localhost" + url.substr(url.find(':', 5)); });
    const long opensBefore = ActiveOpens();
    Measure("refusing port (1000 attempts)", runs, [&] { return url; });
    std::printf("%-40s %ld TCP connections for %d attempts\n", "refusing port",
                ActiveOpens() - opensBefore, runs * 1000);

    ScriptedServer silent({{"", true}});
    Measure("silent server (2 s read time-out)", runs, [&] { return silent.Url(); });

    // A fresh server for every run, so each check meets a flood its client has not seen.
    std::unique_ptr<ScriptedServer> flood;
    Measure("cookie flood (2000 new per answer)", std::min(runs, 3), [&] {
        flood = std::make_unique<ScriptedServer>(CookieFlood());
        return flood->Url();
    });
    return 0;
}
