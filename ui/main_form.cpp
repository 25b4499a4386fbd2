#include "ui/main_form.h"

#include <QApplication>
#include <QDesktopServices>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QThread>
#include <QUrl>
#include <QWindow>
#include <utility>

#include "game/publisher.h"
#include "game/resource_layout.h"
#include "ui/app_icon.h"
#include "ui/bgr_color.h"
#include "ui/update_prompt.h"
#include "ui/virtual_keys.h"

namespace tessaly {

namespace {

constexpr QSize DesignClientSize{600, 430};
constexpr int StatusBarHeight = 19;

using Handler = void (Session::*)();
using M = MenuItemId;
const std::pair<MenuItemId, Handler> MenuHandlers[] = {
    {M::MenuGameLow, &Session::MenuGameLowClick},
    {M::MenuGameMedium, &Session::MenuGameMediumClick},
    {M::MenuGameHigh, &Session::MenuGameHighClick},
    {M::MenuGameSpecial, &Session::MenuGameSpecialClick},
    {M::MenuGamePause, &Session::MenuGamePauseClick},
    {M::MenuGameAbandon, &Session::MenuGameAbandonClick},
    {M::MenuTop, &Session::MenuTopClick},
    {M::MenuGameExit, &Session::MenuGameExitClick},
    {M::MenuOptionGetHint, &Session::MenuOptionGetHintClick},
    {M::MenuOptionRearrange, &Session::MenuOptionRearrangeClick},
    {M::MenuOptionBitmap, &Session::MenuOptionBitmapClick},
    {M::MenuOptionSound, &Session::MenuOptionSoundClick},
    {M::MenuOptionMusic, &Session::MenuOptionMusicClick},
    {M::MenuOptionBackGround, &Session::MenuOptionBackGroundClick},
    {M::MenuNoChange, &Session::MenuNoChangeClick},
    {M::MenuToDown, &Session::MenuToDownClick},
    {M::MenuToLeft, &Session::MenuToLeftClick},
    {M::MenuUpDownSeperate, &Session::MenuUpDownSeperateClick},
    {M::MenuLeftRightSeperate, &Session::MenuLeftRightSeperateClick},
    {M::MenuUpDownCollect, &Session::MenuUpDownCollectClick},
    {M::MenuLeftRightCollect, &Session::MenuLeftRightCollectClick},
    {M::MenuLeftUpRightDown, &Session::MenuLeftUpRightDownClick},
    {M::MenuLeftDownRightUp, &Session::MenuLeftDownRightUpClick},
    {M::MenuUpDownLeftRightSeperate, &Session::MenuUpDownLeftRightSeperateClick},
    {M::MenuUpDownLeftRightCollect, &Session::MenuUpDownLeftRightCollectClick},
    {M::MenuGameAbout, &Session::MenuGameAboutClick},
    {M::MenuAutoPlay, &Session::MenuAutoPlayClick},
};

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

QMessageBox::Icon BoxIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MainForm::VersionCheck MainForm::DefaultVersionCheck() {
    return [](UpdatePrompt& prompt) { CheckForNewVersion(prompt); };
}

MainForm::MainForm(VersionCheck versionCheck, SeedSource seedSource)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      engine_(std::move(seedSource)),
      session_(engine_, *this),
      versionCheck_(std::move(versionCheck)) {
    session_.SetMusicDevice(&music_);
    errorBox_ = new ErrorBox(this);
    SetApplicationTitle("Tessaly");
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Tessaly2012"));
    setWindowIcon(MakeAppIcon());
    setFont(WindowFont());
    move(151, 172);
    urlOpener = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
    blockingSleep = [](int32_t milliseconds) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    };
    BuildLayout();
    ConnectMenu();
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
    MainPaintBox->onMouseDown = [this](int x, int y) { session_.MainPaintBoxMouseDown(x, y); };
    MainPaintBox->onRatioChange = [this] { MainPaintBoxPaint(); };

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

    // On the status bar's right end at every size, never over the board it would hide.
    LinkLabel1 =
        new QLabel(QStringLiteral("<a href=\"%1\">%2</a>")
                       .arg(QString::fromUtf8(PublisherAddress), QString::fromUtf8(PublisherSite)),
                   StatusBar1);
    LinkLabel1->setObjectName(QStringLiteral("LinkLabel1"));
    LinkLabel1->setTextFormat(Qt::RichText);
    LinkLabel1->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    LinkLabel1->setOpenExternalLinks(false);
    LinkLabel1->setContentsMargins(0, 0, 4, 0);  // keep the last letter off the window's edge
    // The CJK face's tall line box would clip the descenders in the 19-pixel status bar.
    QFont linkFont = font();
    linkFont.setPixelSize(10);
    LinkLabel1->setFont(linkFont);
    connect(LinkLabel1, &QLabel::linkActivated, this, &MainForm::LinkLabel1LinkClick);
    StatusBar1->addPermanentWidget(LinkLabel1);

    TimerGuard.setInterval(1000);
    TimerAutoPlay.setInterval(500);
    TimerGameDelay.setInterval(2500);
    connect(&TimerGuard, &QTimer::timeout, this, [this] { session_.TimerGuardTimer(); });
    connect(&TimerAutoPlay, &QTimer::timeout, this, [this] { session_.TimerAutoPlayTimer(); });
    connect(&TimerGameDelay, &QTimer::timeout, this, [this] { session_.TimerGameDelayTimer(); });

    // Fixed size: the window follows its client area and cannot be resized by dragging.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    SetClientSize(DesignClientSize);
}

void MainForm::ConnectMenu() {
    for (const auto& [id, handler] : MenuHandlers) {
        QAction* action = menu_->action(id);
        const bool toggle = menu_->kind(id) == MenuKind::Toggle;
        connect(action, &QAction::triggered, this, [this, action, toggle, handler = handler] {
            // A toggle's command sets its own mark; Qt has already flipped it, so undo that.
            if (toggle) action->setChecked(!action->isChecked());
            (session_.*handler)();
        });
    }
}

void MainForm::FormCreate() {
    PaintPanel(Qt::black);
    ShowStartScreen();
    CellBitmap = QImage();
    session_.FormCreate();
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
    MainPaintBox->resizeSurface(board.size());
    StatusBar1->setGeometry(1, board.bottom() + 1, board.width(), StatusBarHeight);
    if (StartImage) StartImage->setGeometry(board);
}

void MainForm::PaintPanel(QColor color) {
    QPalette palette = PanelMain->palette();
    palette.setColor(QPalette::Window, color);
    PanelMain->setPalette(palette);
    MainPaintBox->setFillColor(color);
    // As when the panel repaints itself: everything under the board surface takes the colour.
    MainPaintBox->surface().fill(color);
    MainPaintBox->update();
    if (StartImage) StartImage->setPalette(palette);
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PanelMain && event->type() == QEvent::Resize) {
        LayoutPanel();
    } else if (watched == keyWindow_ && event->type() == QEvent::KeyPress) {
        // Key preview: the window sees each key before the widget with the focus, and lets it
        // go on there.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (const auto code = VirtualKeyOf(key->key())) session_.FormKeyDown(*code);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainForm::showEvent(QShowEvent* event) {
    QWindow* window = windowHandle();
    if (window && window != keyWindow_) {
        if (keyWindow_) keyWindow_->removeEventFilter(this);
        keyWindow_ = window;
        keyWindow_->installEventFilter(this);
    }
    QMainWindow::showEvent(event);
}

void MainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::WindowStateChange) {
        const bool minimized = isMinimized();
        if (minimized && !wasMinimized_) {
            wasMinimized_ = true;
            session_.ApplicationEvents1Minimize();
        } else if (!minimized && wasMinimized_) {
            wasMinimized_ = false;
            session_.ApplicationEvents1Restore();
        }
    }
    QMainWindow::changeEvent(event);
}

void MainForm::SetMenuEnabled(MenuItemId item, bool enabled) {
    menu_->action(item)->setEnabled(enabled);
}

void MainForm::SetMenuChecked(MenuItemId item, bool checked) {
    menu_->action(item)->setChecked(checked);
}

bool MainForm::MenuChecked(MenuItemId item) const {
    return menu_->action(item)->isChecked();
}

QTimer& MainForm::timer(TimerId id) {
    switch (id) {
        case TimerId::TimerGuard:
            return TimerGuard;
        case TimerId::TimerAutoPlay:
            return TimerAutoPlay;
        case TimerId::TimerGameDelay:
            break;
    }
    return TimerGameDelay;
}

const QTimer& MainForm::timer(TimerId id) const {
    return const_cast<MainForm*>(this)->timer(id);
}

void MainForm::SetTimerEnabled(TimerId id, bool enabled) {
    QTimer& t = timer(id);
    // Enabling a running timer keeps its phase.
    if (enabled && !t.isActive()) t.start();
    if (!enabled) t.stop();
}

bool MainForm::TimerEnabled(TimerId id) const {
    return timer(id).isActive();
}

MessageResult MainForm::MessageBox(const std::string& text, const std::string& caption,
                                   MessageButtons buttons, MessageIcon icon) {
    const bool yesNo = buttons == MessageButtons::YesNo;
    QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    yesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, this);
    const int answer = box.exec();
    if (!yesNo) return MessageResult::Ok;
    return answer == QMessageBox::Yes ? MessageResult::Yes : MessageResult::No;
}

std::optional<std::string> MainForm::InputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& defaultText) {
    QInputDialog dialog(this);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString::fromStdString(defaultText));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

void MainForm::PlayCue(const std::string& name) {
    if (name == StopCue) {
        cues_.Stop();
    } else if (MenuChecked(MenuItemId::MenuOptionSound)) {
        cues_.Play(QString::fromStdString(name));
    }
}

void MainForm::Wait(int32_t milliseconds) {
    // Put on screen what has been drawn so far; the sleep then blocks all input.
    MainPaintBox->repaint();
    if (milliseconds > 0 && blockingSleep) blockingSleep(milliseconds);
}

void MainForm::Beep() {
    QApplication::beep();
}

void MainForm::SetApplicationTitle(const std::string& title) {
    applicationTitle_ = QString::fromStdString(title);
    // The text a desktop shows for the minimised window.
    setWindowIconText(applicationTitle_);
    errorBox_->caption = applicationTitle_;
}

void MainForm::Minimize() {
    showMinimized();
}

void MainForm::CloseWindow() {
    close();
}

void MainForm::OpenUrl(const std::string& url) {
    if (urlOpener) urlOpener(QString::fromStdString(url));
}

void MainForm::LinkLabel1LinkClick(const QString& link) {
    if (urlOpener) urlOpener(link);
}

void MainForm::ShowError(const std::string& text) {
    errorBox_->Report(QString::fromStdString(text));
}

void MainForm::SetPanelColor(uint32_t color) {
    PaintPanel(ColorFromBgr(color));
}

}  // namespace tessaly
