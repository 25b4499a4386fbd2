#include <QApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "ui/main_form.h"
#include "ui/qt_translations.h"

namespace {

// For start-up measurements: prints the wall-clock time once the start picture has been painted
// and leaves at once.
class FirstPaintProbe : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            watched->removeEventFilter(this);
            // The next turn of the loop comes after the paint has reached the screen.
            QTimer::singleShot(0, [] {
                const auto now = std::chrono::system_clock::now().time_since_epoch();
                std::printf(
                    "first-paint %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
                std::fflush(stdout);
                QApplication::exit(0);
            });
        }
        return false;
    }

  private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tessaly::InstallQtTranslations(app);
    tessaly::MainForm form;

    if (qEnvironmentVariableIsSet("TESSALY_EXIT_AFTER_FIRST_PAINT")) {
        QWidget* start = form.startImage();
        (start ? static_cast<QWidget*>(start) : &form)
            ->installEventFilter(new FirstPaintProbe(&form));
    }
    form.show();
    return QApplication::exec();
}
