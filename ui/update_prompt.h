// The version check's questions, asked with Qt boxes once the window has gone.
#pragma once

#include <QUrl>
#include <functional>

#include "update/version_check.h"

namespace tessaly {

class QtUpdatePrompt : public UpdatePrompt {
  public:
    using UrlOpener = std::function<void(const QUrl&)>;

    // Pages open in the desktop's browser unless a test hands in its own opener.
    explicit QtUpdatePrompt(UrlOpener openUrl = {});

    bool AskToUpgrade(const std::string& text, const std::string& caption) override;
    void OpenUrl(const std::string& url) override;

  private:
    UrlOpener openUrl_;
};

}  // namespace tessaly
