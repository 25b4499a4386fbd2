#include "ui/error_box.h"

#include <QTimer>

namespace tessaly {

ErrorBox::ErrorBox(QWidget* owner) : QObject(owner), owner_(owner) {}

void ErrorBox::Report(const QString& message) {
    if (closed_) return;
    if (busy_) {
        qWarning("%s", qUtf8Printable(message));
        return;
    }
    busy_ = true;
    QTimer::singleShot(0, this, [this, message] { Show(message); });
}

void ErrorBox::Show(const QString& message) {
    if (closed_) {
        // dropped: the window has gone
    } else if (sink_) {
        sink_(message);
    } else {
        QMessageBox box(QMessageBox::Critical, caption_, message, QMessageBox::Ok, owner_);
        open_ = &box;
        box.exec();
    }
    busy_ = false;
}

void ErrorBox::Close() {
    closed_ = true;
    if (open_) open_->reject();
}

}  // namespace tessaly
