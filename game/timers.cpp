// The countdown, automatic play, and pausing by minimising.
#include "game/timers.h"

namespace tessaly {

namespace {

constexpr int32_t AutoPlayClickGapMs = 200;

}  // namespace

void Timers::TimerGameDelayTimer() {
    // A tick can still arrive after the game is over (restoring the window while the
    // time-out box is open turns the countdown on again); it must not end the game twice.
    if (!view_.Playing || view_.TimeLeft <= 0) {
        window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
        return;
    }
    --view_.TimeLeft;
    window_.DrawTimeBar();
    if (view_.TimeLeft > 0) return;
    window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
    window_.MessageBox("游戏结束!", "信息", MessageButtons::Ok, MessageIcon::Information);
    flow_.EndGame();
}

void Timers::TimerAutoPlayTimer() {
    if (!view_.Playing) {
        SetAutoPlayRunning(false);
        return;
    }
    TCell first;
    TCell second;
    if (!engine_.FindLinkablePair(first, second)) return;
    tileClick_.MainPaintBoxMouseDown(ColToX(first.X), RowToY(first.Y));
    window_.Wait(AutoPlayClickGapMs);
    tileClick_.MainPaintBoxMouseDown(ColToX(second.X), RowToY(second.Y));
    window_.Wait(AutoPlayClickGapMs);
}

void Timers::MenuAutoPlayClick() {
    if (!view_.Playing) return;
    view_.AutoPlayMarked = !view_.AutoPlayMarked;
    window_.SetMenuChecked(MenuItemId::MenuAutoPlay, view_.AutoPlayMarked);
    SetAutoPlayRunning(view_.AutoPlayMarked);
}

void Timers::SetAutoPlayRunning(bool on) {
    view_.AutoPlayRunning = on;
    window_.SetTimerEnabled(TimerId::TimerAutoPlay, on);
}

void Timers::MenuGamePauseClick() {
    window_.Minimize();
}

void Timers::ApplicationEvents1Minimize() {
    if (!view_.Playing) return;
    window_.SetTimerEnabled(TimerId::TimerGameDelay, false);
    window_.Beep();
    window_.SetApplicationTitle("Tessaly - 暂停");
}

void Timers::ApplicationEvents1Restore() {
    if (!view_.Playing) return;
    window_.SetTimerEnabled(TimerId::TimerGameDelay, true);
    window_.Beep();
    window_.SetApplicationTitle("Tessaly");
}

}  // namespace tessaly
