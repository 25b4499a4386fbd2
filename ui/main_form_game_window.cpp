// The window's side of the game window interface, apart from drawing: menu states, timers,
// boxes, cues and the platform's services.
#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "drawing/bgr_color.h"
#include "game/resource_layout.h"
#include "ui/main_form.h"

namespace tessaly {

namespace {

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

void MainForm::SetMenuEnabled(MenuItemId item, bool enabled) {
    menu_->Action(item)->setEnabled(enabled);
}

void MainForm::SetMenuChecked(MenuItemId item, bool checked) {
    menu_->Action(item)->setChecked(checked);
}

QTimer& MainForm::TimerOf(TimerId id) {
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

void MainForm::SetTimerEnabled(TimerId id, bool enabled) {
    QTimer& t = TimerOf(id);
    // Enabling a running timer keeps its phase.
    if (enabled && !t.isActive() && !closing_) t.start();
    if (!enabled) t.stop();
}

void MainForm::MessageBox(const std::string& text, const std::string& caption,
                          MessageButtons buttons, MessageIcon icon) {
    static_cast<void>(buttons);  // the game's boxes have an OK button only
    if (closing_) return;
    QMessageBox box(BoxIcon(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, this);
    box.exec();
}

std::optional<std::string> MainForm::InputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& defaultText) {
    if (closing_) return std::nullopt;
    QInputDialog dialog(this);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString::fromStdString(defaultText));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue().toStdString();
}

void MainForm::PlayCue(const std::string& name) {
    cues_.Play(QString::fromStdString(name));
}

void MainForm::StopCue() {
    cues_.Stop();
}

void MainForm::Wait(int32_t milliseconds) {
    if (closing_) return;  // nothing is shown any more, and the program is on its way out
    // Put on screen what has been drawn so far; the sleep then blocks all input.
    MainPaintBox->repaint();
    if (milliseconds > 0 && blockingSleep_) blockingSleep_(milliseconds);
}

void MainForm::Beep() {
    QApplication::beep();
}

void MainForm::SetApplicationTitle(const std::string& title) {
    applicationTitle_ = QString::fromStdString(title);
    // The text a desktop shows for the minimised window.
    setWindowIconText(applicationTitle_);
    errorBox_->SetCaption(applicationTitle_);
}

void MainForm::Minimize() {
    showMinimized();
}

void MainForm::CloseWindow() {
    close();
}

void MainForm::ShowError(const std::string& text) {
    errorBox_->Report(QString::fromStdString(text));
}

void MainForm::SetPanelColor(uint32_t color) {
    PaintPanel(ColorFromBgr(color));
}

}  // namespace tessaly
