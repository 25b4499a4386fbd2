// The window itself: its controls and layout, its start and its end.
#include "ui/main_form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QThread>
#include <QUrl>
#include <utility>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "drawing/app_icon.h"
#include "game/game.h"
#include "game/publisher.h"
#include "ui/update_prompt.h"

namespace tessaly {

namespace {

constexpr QSize DesignClientSize{600, 430};
constexpr int StatusBarHeight = 19;

// Without an explicit family Qt picks Japanese glyph forms for Chinese text.
QFont WindowFont() {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPointSize(9);
    return font;
}

QPalette ButtonFacePalette() {
    QPalette palette = QApplication::palette();
    for (auto role : {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text}) {
        palette.setColor(role, palette.color(role));
    }
    return palette;
}

}  // namespace

MainForm::VersionCheck MainForm::DefaultVersionCheck() {
    return [](UpdatePrompt& prompt) { CheckForNewVersion(prompt); };
}

MainForm::MainForm(VersionCheck versionCheck, SeedSource seedSource)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      game_(std::make_unique<tessaly::Game>(*this, std::move(seedSource))),
      view_(game_->View()),
      versionCheck_(std::move(versionCheck)) {
    game_->SetMusicDevice(&music_);
    errorBox_ = new ErrorBox(this);
    SetApplicationTitle("Tessaly");
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tessaly2012"));
    setWindowIcon(MakeAppIcon());
    setFont(WindowFont());
    move(151, 172);
    openAddress_ = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
    blockingSleep_ = [](int32_t milliseconds) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    };
    BuildLayout();
    ConnectHandlers();
    FormCreate();
}

MainForm::~MainForm() {
    FormDestroy();
}

void MainForm::BuildLayout() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("MainMenu1"));
    setMenuBar(bar);
    menu_ = std::make_unique<MainMenu>(*bar);
    // Menus are windows of their own and take the window's font only when told to.
    for (QMenu* menu : bar->findChildren<QMenu*>()) {
        menu->setAttribute(Qt::WA_WindowPropagation);
        menu->setFont(font());
    }

    PanelMain = new QFrame(this);
    PanelMain->setObjectName(QStringLiteral("PanelMain"));
    PanelMain->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PanelMain->setLineWidth(1);
    PanelMain->setAutoFillBackground(true);
    PanelMain->installEventFilter(this);
    setCentralWidget(PanelMain);

    MainPaintBox = new tessaly::MainPaintBox(PanelMain);
    MainPaintBox->setObjectName(QStringLiteral("MainPaintBox"));
    MainPaintBox->SetOnRatioChange([this] { MainPaintBoxPaint(); });
    painter_ = std::make_unique<BoardPainter>(view_, *MainPaintBox);

    StatusBar1 = new QStatusBar(PanelMain);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setPalette(ButtonFacePalette());
    StatusBar1->setAutoFillBackground(true);
    StatusPanel0 = new QLabel(QStringLiteral("按F1开始游戏"), StatusBar1);
    StatusPanel0->setFixedWidth(300);
    StatusBar1->addWidget(StatusPanel0);
    StatusPanel1 = new QLabel(StatusBar1);
    StatusPanel1->setFixedWidth(50);
    StatusBar1->addWidget(StatusPanel1);

    LinkLabel1 =
        new QLabel(QStringLiteral("<a href=\"%1\">%2</a>")
                       .arg(QString::fromUtf8(PublisherAddress), QString::fromUtf8(PublisherSite)),
                   PanelMain);
    LinkLabel1->setObjectName(QStringLiteral("LinkLabel1"));
    LinkLabel1->setTextFormat(Qt::RichText);
    LinkLabel1->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    LinkLabel1->setOpenExternalLinks(false);
    // The design's box reaches past the panel's bottom edge: the text keeps to its top.
    LinkLabel1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LinkLabel1->setContentsMargins(0, 0, 4, 0);  // keep the last letter off the window's edge
    // The CJK face's tall line box would clip the descenders in the 19-pixel status bar.
    QFont linkFont = font();
    linkFont.setPixelSize(10);
    LinkLabel1->setFont(linkFont);

#ifdef __GLIBC__
    // Every picture is read from its file at every draw, and the synthesiser allocates in many
    // small blocks: the freed holes this leaves amid live memory stay with the process (glibc
    // returns only the heap's free top on its own), and a long session's resident size climbs by
    // megabytes that nothing uses.
    heapTrim_.setInterval(10000);
    connect(&heapTrim_, &QTimer::timeout, this, [] { malloc_trim(0); });
    heapTrim_.start();
#endif
    TimerGuard.setInterval(1000);
    TimerAutoPlay.setInterval(500);
    TimerGameDelay.setInterval(2500);

    // Fixed size: the window follows its client area and cannot be resized by dragging.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    SetClientSize(DesignClientSize);
}

void MainForm::FormCreate() {
    PaintPanel(Qt::black);
    ShowStartScreen();
    game_->FormCreate();
}

void MainForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted()) StopForClose();
}

// A handler can still be on the stack inside an open box; once that box is gone it runs on
// against a window that starts nothing and shows nothing, so the event loop can return.
void MainForm::StopForClose() {
    closing_ = true;
    heapTrim_.stop();
    TimerGuard.stop();
    TimerAutoPlay.stop();
    TimerGameDelay.stop();
    errorBox_->Close();
    for (QDialog* dialog : findChildren<QDialog*>()) {
        if (dialog->isVisible()) dialog->reject();
    }
}

void MainForm::FormDestroy() {
    if (destroyed_) return;
    destroyed_ = true;
    TimerGuard.stop();
    TimerAutoPlay.stop();
    TimerGameDelay.stop();
    hide();
    if (versionCheck_) {
        QtUpdatePrompt prompt;
        versionCheck_(prompt);
    }
}

void MainForm::SetClientSize(QSize size) {
    PanelMain->setFixedSize(size);
    LayoutPanel();
    layout()->activate();
}

void MainForm::LayoutPanel() {
    const QSize client = PanelMain->size();
    const QRect board(1, 1, client.width() - 2, client.height() - 2 - StatusBarHeight);
    MainPaintBox->setGeometry(board);
    MainPaintBox->ResizeSurface(board.size());
    const QRect status(1, board.bottom() + 1, board.width(), StatusBarHeight);
    StatusBar1->setGeometry(status);
    // The design's place, over the status bar's empty right part, holds at the design's size. In
    // a larger window that place lies over the board, so the label keeps to the status bar's
    // right end there.
    if (client == DesignClientSize) {
        LinkLabel1->setGeometry(344, 416, 181, 17);
    } else {
        const QSize text = LinkLabel1->sizeHint();
        LinkLabel1->setGeometry(status.right() + 1 - text.width(),
                                status.top() + (StatusBarHeight - text.height() + 1) / 2,
                                text.width(), text.height());
    }
    LinkLabel1->raise();
    if (StartImage && StartImage->geometry() != board) {
        StartImage->setGeometry(board);
        // A picture that could not be read stays away rather than being reported again.
        if (!StartImage->pixmap().isNull()) LoadStartPicture();
    }
}

void MainForm::PaintPanel(QColor color) {
    QPalette palette = PanelMain->palette();
    palette.setColor(QPalette::Window, color);
    PanelMain->setPalette(palette);
    MainPaintBox->SetFillColor(color);
    // As when the panel repaints itself: everything under the board surface takes the colour.
    MainPaintBox->Surface().fill(color);
    MainPaintBox->update();
    if (StartImage) StartImage->setPalette(palette);
}

}  // namespace tessaly
