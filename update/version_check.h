// The check for a newer release, run once as the program closes.
#pragma once

#include <chrono>
#include <string>

namespace tessaly {

// How the check talks to the player; the main window implements it, tests fake it.
class UpdatePrompt {
  public:
    virtual ~UpdatePrompt() = default;
    // Shows the Yes/No box with the exclamation icon; true when the player pressed Yes.
    virtual bool AskToUpgrade(const std::string& text, const std::string& caption) = 0;
    // Opens the address in the desktop's default browser; failures are not reported.
    virtual void OpenUrl(const std::string& url) = 0;
};

// Asks the update host for the current version and offers the download page when it names
// another one. Every failure ends the check silently; it never throws.
void CheckForNewVersion(UpdatePrompt& prompt);

// The same check against other addresses and limits, for tests and measurements.
struct VersionCheckSettings {
    std::string queryUrl;
    std::string downloadUrl;
    int attempts = 1000;
    std::chrono::milliseconds readTimeout{2000};
    std::chrono::milliseconds deadline{10000};
};
VersionCheckSettings DefaultVersionCheckSettings();
void CheckForNewVersion(UpdatePrompt& prompt, const VersionCheckSettings& settings);

}  // namespace tessaly
