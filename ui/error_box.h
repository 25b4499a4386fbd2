// The application's error box: failures of file and media calls are shown here. The box opens
// after the handler that met the failure has returned, and never more than one at a time, so a
// picture that fails on every redraw cannot pile boxes up.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <utility>

namespace tessaly {

class ErrorBox : public QObject {
    Q_OBJECT

  public:
    explicit ErrorBox(QWidget* owner);

    // Queues the message; dropped while another one is waiting or shown.
    void Report(const QString& message);
    bool Busy() const { return busy_; }
    // For good, when the window closes: the waiting message is dropped, an open box closes
    // and later reports are ignored.
    void Close();

    // The box's title.
    void SetCaption(const QString& caption) { caption_ = caption; }
    // When set, messages go here instead of a box (tests).
    void SetSink(std::function<void(const QString&)> sink) { sink_ = std::move(sink); }

  private:
    void Show(const QString& message);

    QString caption_;
    std::function<void(const QString&)> sink_;

    QPointer<QWidget> owner_;
    QPointer<QMessageBox> open_;
    bool busy_ = false;
    bool closed_ = false;
};

}  // namespace tessaly
