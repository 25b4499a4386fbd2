// Qt's own words (standard buttons, input boxes) in Simplified Chinese, like the rest of the game.
#pragma once

class QCoreApplication;

namespace tessaly {

// Installs Qt's Simplified Chinese catalogue whatever the user's locale; false when Debian's
// qt6-translations-l10n is missing, in which case Qt's words stay English.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace tessaly
