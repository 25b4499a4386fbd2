// Qt's events in, the game's input out: menu commands, timer ticks, clicks on the
// board, keys, and minimising and restoring.
#include <QAction>
#include <QKeyEvent>
#include <QWindow>

#include "game/game.h"
#include "game/menu_commands.h"
#include "ui/main_form.h"
#include "ui/virtual_keys.h"

namespace tessaly {

void MainForm::ConnectHandlers() {
    MainPaintBox->SetOnMouseDown([this](int x, int y) { game_->MouseDown(x, y); });
    connect(LinkLabel1, &QLabel::linkActivated, this, &MainForm::LinkLabel1LinkClick);
    for (TimerId id : {TimerId::TimerGuard, TimerId::TimerAutoPlay, TimerId::TimerGameDelay})
        connect(&TimerOf(id), &QTimer::timeout, this, [this, id] { game_->Tick(id); });
    for (const MenuEntry& entry : MainMenuTable) {
        if (!entry.Command) continue;
        QAction* action = menu_->Action(entry);
        connect(action, &QAction::triggered, this, [this, action, &entry] {
            // Qt has already ticked a switch over; the mark is the game's to push, and a
            // command it refuses leaves the mark it last pushed.
            if (entry.Kind == MenuKind::Toggle) action->setChecked(!action->isChecked());
            game_->Command(entry);
        });
    }
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == PanelMain && event->type() == QEvent::Resize) {
        LayoutPanel();
    } else if (watched == keyWindow_ && event->type() == QEvent::KeyPress) {
        // Key preview: the window sees each key before the widget with the focus, and lets it
        // go on there.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (KeyPressedHere(*key)) {
            if (const auto code = VirtualKeyOf(key->key())) game_->Key(*code);
        }
    } else if (watched == keyWindow_ && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        lastRelease_ = {key->key(), key->timestamp()};
    } else if (watched == keyWindow_ && event->type() == QEvent::FocusOut) {
        // Releases go to the window with the focus: this one will not see them.
        keysDown_.clear();
    }
    return QMainWindow::eventFilter(watched, event);
}

// The X server repeats a held key to whichever window has the focus, also a key whose release
// never came (a tool that pressed it through one path and released it through another). Such a
// key held since before this window had the focus would pause every later start of the game
// the moment it shows: only the repeats of a press made here run their command again. A repeat
// is a release and a press at the same moment; Qt's own flag misses some when the pair arrives
// in two reads.
bool MainForm::KeyPressedHere(const QKeyEvent& key) {
    const bool repeat = key.isAutoRepeat() || lastRelease_ == std::pair{key.key(), key.timestamp()};
    if (!repeat) keysDown_.insert(key.key());
    return keysDown_.contains(key.key());
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
            game_->Minimize();
        } else if (!minimized && wasMinimized_) {
            wasMinimized_ = false;
            game_->Restore();
        }
    }
    QMainWindow::changeEvent(event);
}

void MainForm::LinkLabel1LinkClick(const QString& link) {
    if (openAddress_) openAddress_(link);
}

}  // namespace tessaly
