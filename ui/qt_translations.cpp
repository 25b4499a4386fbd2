#include "ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace tessaly {

bool InstallQtTranslations(QCoreApplication& app) {
    // The game's own texts are Chinese for every player, so Qt's must be too: the catalogue is
    // chosen by name, not by the locale.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    // The application keeps it for the rest of the run.
    translator->setParent(&app);
    return QCoreApplication::installTranslator(translator.release());
}

}  // namespace tessaly
