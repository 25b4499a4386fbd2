#include "update/version_check.h"

#include "update/http_client.h"
#include "update/json_reader.h"

namespace tessaly {

namespace {
// The project's version, as the build names it.
constexpr const char* ProgramVersion = TESSALY_VERSION;
}  // namespace

VersionCheckSettings DefaultVersionCheckSettings() {
    const std::string host = TESSALY_UPDATE_HOST;
    VersionCheckSettings settings;
    settings.queryUrl = "http://" + host + "/tsyjson.php";
    settings.downloadUrl = "http://" + host + "/tsy/";
    return settings;
}

void CheckForNewVersion(UpdatePrompt& prompt) {
    CheckForNewVersion(prompt, DefaultVersionCheckSettings());
}

void CheckForNewVersion(UpdatePrompt& prompt, const VersionCheckSettings& settings) {
    try {
        std::string version;
        {
            // The player already sees the program closed: never keep them waiting long.
            HttpClient client;
            client.SetReadTimeout(settings.readTimeout);
            client.SetConnectTimeout(settings.readTimeout);
            client.SetDeadline(std::chrono::steady_clock::now() + settings.deadline);
            version = ReadJsonString(FetchUrlText(client, settings.queryUrl, settings.attempts),
                                     "version");
        }
        // Any other text counts as news, even an older or differently spelt one.
        if (version.empty() || version == ProgramVersion) return;
        if (prompt.AskToUpgrade("有新的版本了，是否升级？", "提示")) {
            prompt.OpenUrl(settings.downloadUrl);
        }
    } catch (...) {
        // Nothing about the check is ever worth troubling the player with.
    }
}

}  // namespace tessaly
