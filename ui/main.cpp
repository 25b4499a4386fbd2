#include <QApplication>
#include <QFontInfo>
#include <QList>
#include <QRegularExpression>
#include <QTimer>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>
#ifdef __GLIBC__
#include <malloc.h>
#endif

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

// Which platforms the player asked for and where: the -platform option wins over the variable,
// as in Qt. Empty when Qt chooses by itself.
struct AskedPlatform {
    QByteArray names;
    const char* source = nullptr;
};

AskedPlatform asked;

AskedPlatform ReadAskedPlatform(int argc, char* argv[]) {
    AskedPlatform result{qgetenv("QT_QPA_PLATFORM"), "QT_QPA_PLATFORM"};
    for (int i = 1; i + 1 < argc; ++i)
        if (qstrcmp(argv[i], "-platform") == 0 || qstrcmp(argv[i], "--platform") == 0)
            result = {argv[i + 1], argv[i]};
    if (result.names.isEmpty()) result.source = nullptr;
    return result;
}

// Without a display Qt aborts with advice to reinstall. Say instead what is missing, in one
// line, and leave with status 1. Platforms that need no display (offscreen, vnc, ...) go on.
bool NoDisplay() {
    bool x11 = asked.names.isEmpty();
    bool wayland = asked.names.isEmpty();
    for (const QByteArray& entry : asked.names.split(';')) {
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

// Qt's lines about its platform, as Qt would print them, are held back until the set-up has
// either worked or failed: on failure they hold the reason, which Qt's own last words (advice to
// reinstall) do not.
struct HeldLine {
    QByteArray category;
    QString text;
};
QList<HeldLine> heldPlatformLines;

// The platform Qt has no plugin for, if that is why it failed, and Qt's line that says so.
struct Missing {
    QString plugin;
    QString line;
};

Missing MissingPlugin() {
    static const QRegularExpression notFound(
        QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
    for (const HeldLine& line : heldPlatformLines)
        if (const QRegularExpressionMatch match = notFound.match(line.text); match.hasMatch())
            return {match.captured(1), line.text};
    return {};
}

// Else the platform's own line (it could not connect, say) tells more than the plugin loader's
// that follows it.
QString QtReason() {
    for (const HeldLine& line : heldPlatformLines)
        if (line.category != "qt.qpa.plugin") return line.text;
    return heldPlatformLines.isEmpty() ? QString() : heldPlatformLines.front().text;
}

// Qt's reason and ours, at most two lines, then status 1.
[[noreturn]] void ReportPlatformFailure() {
    const auto [plugin, missingLine] = MissingPlugin();
    const QString reason = plugin.isEmpty() ? QtReason() : missingLine;
    if (!reason.isEmpty()) std::fprintf(stderr, "%s\n", qUtf8Printable(reason));
    const bool wayland = plugin.startsWith(QLatin1String("wayland"));
    // X11 is only worth suggesting where there is an X display to use.
    const bool x11Reachable = !qEnvironmentVariableIsEmpty("DISPLAY");
    if (plugin.isEmpty()) {
        std::fprintf(stderr, "tessaly: cannot open the display \"%s\"\n",
                     qUtf8Printable(
                         qEnvironmentVariable("DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"))));
    } else if (asked.source) {
        std::fprintf(
            stderr, "tessaly: %s asks for Qt's platform \"%s\", which is not installed; %s\n",
            asked.source, qUtf8Printable(plugin),
            wayland ? (x11Reachable ? "install the package qt6-wayland, or ask for xcb to use X11"
                                    : "install the package qt6-wayland")
                    : "leave it unset to let Qt choose");
    } else {
        std::fprintf(
            stderr, "tessaly: Qt's platform \"%s\" is not installed; %s\n", qUtf8Printable(plugin),
            wayland
                ? (x11Reachable
                       ? "install the package qt6-wayland, or set QT_QPA_PLATFORM=xcb to use X11"
                       : "install the package qt6-wayland")
                : "reinstall Qt's platform plugins");
    }
    std::_Exit(1);
}

void HoldPlatformLines(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const bool platform = QByteArray(context.category).startsWith("qt.qpa");
    if (type != QtFatalMsg) {
        if (platform)
            heldPlatformLines.append({context.category, qFormatLogMessage(type, context, text)});
        else
            std::fprintf(stderr, "%s\n", qUtf8Printable(qFormatLogMessage(type, context, text)));
        return;
    }
    if (platform || text.contains(QLatin1String("platform plugin"))) ReportPlatformFailure();
    std::fprintf(stderr, "%s\n", qUtf8Printable(text));
    std::abort();
}

// Opening the display has no deadline of Qt's own: a display that takes the connection and never
// answers would leave the game hanging, unseen. Past the deadline, say so and leave.
class DisplayDeadline {
  public:
    DisplayDeadline()
        : watch_([this] {
              std::unique_lock lock(mutex_);
              if (!changed_.wait_for(lock, std::chrono::seconds(10), [this] { return done_; })) {
                  std::fprintf(stderr, "tessaly: the display \"%s\" does not answer\n",
                               qUtf8Printable(qEnvironmentVariable(
                                   "DISPLAY", qEnvironmentVariable("WAYLAND_DISPLAY"))));
                  std::_Exit(1);
              }
          }) {}
    ~DisplayDeadline() { Met(); }
    void Met() {
        {
            std::lock_guard lock(mutex_);
            done_ = true;
        }
        changed_.notify_all();
        if (watch_.joinable()) watch_.join();
    }

  private:
    std::mutex mutex_;
    std::condition_variable changed_;
    bool done_ = false;
    std::thread watch_;  // last: it starts once the rest is ready
};

// glibc raises its threshold for giving blocks their own mapping to the size of each such block
// freed, up to 32 MiB, and keeps twice that free at the heap's top. After the first start picture
// or board surface (a megabyte or two) is freed, every later one comes from the heap and stays
// with the process once freed. Fixed thresholds keep large blocks in mappings of their own, which
// go back to the system the moment they are freed.
void KeepLargeBlocksOutOfTheHeap() {
#ifdef __GLIBC__
    constexpr int Threshold = 128 * 1024;  // glibc's own starting value
    mallopt(M_MMAP_THRESHOLD, Threshold);
    mallopt(M_TRIM_THRESHOLD, Threshold);
#endif
}

// The window asks for Simplified Chinese glyphs by name; the boxes take the application's font,
// whose Chinese came from the Japanese face of the same font file: other glyph forms, and a
// second face of a 19 MB font held in memory, with its own tables and glyph cache (some 4 MiB
// over a session). Latin text keeps the desktop's face.
void ChineseInSimplifiedFormsEverywhere() {
    QFont font = QApplication::font();
    font.setFamilies({QFontInfo(font).family(), QStringLiteral("Noto Sans CJK SC")});
    QApplication::setFont(font);
}

}  // namespace

int main(int argc, char* argv[]) {
    KeepLargeBlocksOutOfTheHeap();
    asked = ReadAskedPlatform(argc, argv);
    if (NoDisplay()) return 1;
    const QtMessageHandler previous = qInstallMessageHandler(HoldPlatformLines);
    DisplayDeadline deadline;
    QApplication app(argc, argv);
    deadline.Met();
    // Wayland desktops match the window to its menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral(TESSALY_APP_ID));
    tessaly::InstallQtTranslations(app);
    ChineseInSimplifiedFormsEverywhere();
    tessaly::MainForm form;
    qInstallMessageHandler(previous);
    for (const HeldLine& line : heldPlatformLines)
        std::fprintf(stderr, "%s\n", qUtf8Printable(line.text));

    if (qEnvironmentVariableIsSet("TESSALY_EXIT_AFTER_FIRST_PAINT")) {
        QWidget* start = form.StartScreen();
        (start ? static_cast<QWidget*>(start) : &form)
            ->installEventFilter(new FirstPaintProbe(&form));
    }
    form.show();
    return QApplication::exec();
}
