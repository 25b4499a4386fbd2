#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>

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

// Without a display Qt aborts with advice to reinstall. Say instead what is missing, in one
// line, and leave with status 1. Platforms that need no display (offscreen, vnc, ...) go on.
bool NoDisplay(int argc, char* argv[]) {
    QByteArray platforms = qgetenv("QT_QPA_PLATFORM");
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], "-platform") == 0) platforms = argv[i + 1];
    bool x11 = platforms.isEmpty();
    bool wayland = platforms.isEmpty();
    for (const QByteArray& entry : platforms.split(';')) {
        const QByteArray name = entry.split(':').front();
        if (name == "xcb")
            x11 = true;
        else if (name.startsWith("wayland"))
            wayland = true;
        else if (!name.isEmpty())
            return false;
    }
    if ((x11 && !qEnvironmentVariableIsEmpty("DISPLAY")) ||
        (wayland && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")))
        return false;
    const char* missing = x11 && wayland ? "neither DISPLAY nor WAYLAND_DISPLAY is set"
                          : x11          ? "DISPLAY is not set"
                                         : "WAYLAND_DISPLAY is not set";
    std::fprintf(stderr, "tessaly: no display to show the window on: %s\n", missing);
    return true;
}

// A display that is named but cannot be reached makes Qt's platform set-up fail fatally. Its
// own lines about that are held back until the set-up has either worked or failed.
QStringList heldPlatformLines;

void ReportUnreachableDisplay(QtMsgType type, const QMessageLogContext& context,
                              const QString& text) {
    const bool platform = QByteArray(context.category).startsWith("qt.qpa");
    if (type != QtFatalMsg) {
        if (platform)
            heldPlatformLines << text;
        else
            std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        return;
    }
    if (!platform && !text.contains(QLatin1String("platform plugin"))) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(text));
        std::abort();
    }
    std::fprintf(stderr, "tessaly: cannot open the display \"%s\"\n",
                 qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"))
                     .toUtf8()
                     .constData());
    std::_Exit(1);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (NoDisplay(argc, argv)) return 1;
    const QtMessageHandler previous = qInstallMessageHandler(ReportUnreachableDisplay);
    QApplication app(argc, argv);
    // Wayland desktops match the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSALY_APP_ID));
    tessaly::InstallQtTranslations(app);
    tessaly::MainForm form;
    qInstallMessageHandler(previous);
    for (const QString& line : heldPlatformLines) qWarning("%s", qUtf8Printable(line));

    if (qEnvironmentVariableIsSet("TESSALY_EXIT_AFTER_FIRST_PAINT")) {
        QWidget* start = form.startImage();
        (start ? static_cast<QWidget*>(start) : &form)
            ->installEventFilter(new FirstPaintProbe(&form));
    }
    form.show();
    return QApplication::exec();
}
