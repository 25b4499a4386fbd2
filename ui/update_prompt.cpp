#include "ui/update_prompt.h"

#include <QDesktopServices>
#include <QMessageBox>

namespace tessaly {

QtUpdatePrompt::QtUpdatePrompt(UrlOpener openUrl)
    : openUrl_(openUrl ? std::move(openUrl) : UrlOpener(&QDesktopServices::openUrl)) {}

bool QtUpdatePrompt::AskToUpgrade(const std::string& text, const std::string& caption) {
    // The main window is already hidden, so the box has no owner and blocks the application.
    QMessageBox box(QMessageBox::Warning, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Yes | QMessageBox::No);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

void QtUpdatePrompt::OpenUrl(const std::string& url) {
    openUrl_(QUrl(QString::fromStdString(url)));
}

}  // namespace tessaly
