// The version check's questions, asked with Qt boxes once the window has gone.
#pragma once

#include "update/version_check.h"

namespace tessaly {

class QtUpdatePrompt : public UpdatePrompt {
  public:
    bool AskToUpgrade(const std::string& text, const std::string& caption) override;
    void OpenUrl(const std::string& url) override;
};

}  // namespace tessaly
