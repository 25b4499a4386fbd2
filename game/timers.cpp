// The countdown, automatic play, pausing by minimising, and abandoning a game.
#include "game/session.h"

namespace tessaly {

namespace {

constexpr int32_t AutoPlayClickGapMs = 200;

}  // namespace

void Session::TimerGameDelayTimer() {
    // A tick can still arrive after the game is over (restoring the window while the
    // time-out box is open turns the countdown on again); it must not end the game twice.
    if (!Playing || TimeLeft <= 0) {
        window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
        return;
    }
    --TimeLeft;
    window_.DrawTimeBar();
    if (TimeLeft > 0) return;
    window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
    window_.MessageBox("游戏结束!", "信息", MessageButtons::Ok, MessageIcon::Information);
    EndGame();
}

void Session::TimerAutoPlayTimer() {
    if (!Playing) {
        SetAutoPlayRunning(false);
        return;
    }
    TCell first;
    TCell second;
    if (!engine_.FindLinkablePair(first, second)) return;
    MainPaintBoxMouseDown(ColToX(first.X), RowToY(first.Y));
    window_.Wait(AutoPlayClickGapMs);
    MainPaintBoxMouseDown(ColToX(second.X), RowToY(second.Y));
    window_.Wait(AutoPlayClickGapMs);
}

void Session::MenuAutoPlayClick() {
    if (!Playing) return;
    AutoPlayMarked = !AutoPlayMarked;
    window_.SetMenuChecked(MenuItemId::MenuAutoPlay, AutoPlayMarked);
    SetAutoPlayRunning(AutoPlayMarked);
}

void Session::SetAutoPlayRunning(bool on) {
    AutoPlayRunning = on;
    window_.SetTimerEnabled(TimerId::TimerAutoPlay, on);
}

void Session::MenuGamePauseClick() {
    window_.Minimize();
}

void Session::ApplicationEvents1Minimize() {
    if (!Playing) return;
    window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
    window_.Beep();
    window_.SetApplicationTitle("Tessaly - 暂停");
}

void Session::ApplicationEvents1Restore() {
    if (!Playing) return;
    window_.SetTimerEnabled(TimerId::TimerGameDelay, true);
    window_.Beep();
    window_.SetApplicationTitle("Tessaly");
}

void Session::MenuGameAbandonClick() {
    Playing = false;
    SetIdleMenuState();
    window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
    window_.MainPaintBoxPaint();
}

}  // namespace tessaly
