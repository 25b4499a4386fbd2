#include "ui/error_box.h"

#include <QMessageBox>
#include <QTimer>

namespace tessaly {

ErrorBox::ErrorBox(QWidget* owner) : QObject(owner), owner_(owner) {}

void ErrorBox::Report(const QString& message) {
    if (busy_) {
        qWarning("%s", qUtf8Printable(message));
        return;
    }
    busy_ = true;
    QTimer::singleShot(0, this, [this, message] { Show(message); });
}

void ErrorBox::Show(const QString& message) {
    if (sink) {
        sink(message);
    } else {
        QMessageBox box(QMessageBox::Critical, caption, message, QMessageBox::Ok, owner_);
        box.exec();
    }
    busy_ = false;
}

}  // namespace tessaly
