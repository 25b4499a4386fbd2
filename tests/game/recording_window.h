// A window that draws nothing and remembers everything the game asked of it, in order, so that
// a whole game can be played and checked without a display.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "game/game_view.h"
#include "game/menu_commands.h"

namespace tessaly::test {

inline const char* MenuItemName(MenuItemId item) {
    return EntryOf(item).Name;
}

inline const char* TimerName(TimerId timer) {
    static constexpr const char* names[] = {"TimerGuard", "TimerAutoPlay", "TimerGameDelay"};
    return names[static_cast<int>(timer)];
}

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    MessageIcon icon;
};

class RecordingWindow : public GameWindow {
  public:
    // The menu as the table starts it.
    RecordingWindow() {
        for (const MenuEntry& entry : MainMenuTable) {
            if (!entry.Enabled) disabled_.push_back(entry.Name);
            checked_[entry.Name] = entry.Checked;
        }
    }

    // Every call, in order, as "Name arg arg", with what a drawing shows where it reads it.
    std::vector<std::string> calls;
    std::vector<ShownMessage> messages;
    std::vector<std::string> cues;
    std::vector<std::string> errors;
    std::string title = "Tessaly";
    int beeps = 0;

    // Scripted answers; an empty queue answers Cancel.
    std::deque<std::optional<std::string>> inputAnswers;
    // Runs while a message box is "open", as a modal box lets timer ticks through.
    std::function<void(const ShownMessage&)> whileMessageOpen;
    // Runs at every full redraw, so that a test can see what the redraw had to show.
    std::function<void()> whilePainting;
    // The game's view, read at each draw of the time bar and the link path as the real window
    // reads it; a window without it logs the draw alone.
    const GameView* view = nullptr;

    // What the window shows: whether an item is enabled or checked, and whether a timer runs.
    bool Enabled(const std::string& name) const {
        return std::find(disabled_.begin(), disabled_.end(), name) == disabled_.end();
    }
    bool Enabled(MenuItemId item) const { return Enabled(MenuItemName(item)); }
    bool Checked(const std::string& name) const {
        auto it = checked_.find(name);
        return it != checked_.end() && it->second;
    }
    bool Checked(MenuItemId item) const { return Checked(MenuItemName(item)); }
    bool Running(TimerId timer) const {
        auto it = timers_.find(timer);
        return it != timers_.end() && it->second;
    }
    size_t Count(const std::string& call) const {
        return static_cast<size_t>(std::count(calls.begin(), calls.end(), call));
    }
    // Position of the first call equal to `call` at or after `from`; calls.size() if none.
    size_t IndexOf(const std::string& call, size_t from = 0) const {
        auto it = std::find(calls.begin() + static_cast<std::ptrdiff_t>(from), calls.end(), call);
        return static_cast<size_t>(it - calls.begin());
    }
    bool Called(const std::string& call) const { return IndexOf(call) != calls.size(); }
    void Forget() {
        calls.clear();
        messages.clear();
        cues.clear();
        errors.clear();
    }

    void MainPaintBoxPaint() override {
        calls.push_back("MainPaintBoxPaint");
        if (whilePainting) whilePainting();
    }
    void DrawCellPicture(int32_t col, int32_t row, int32_t value) override {
        calls.push_back("DrawCellPicture " + std::to_string(col) + " " + std::to_string(row) + " " +
                        std::to_string(value));
    }
    void DrawCell(int32_t col, int32_t row) override {
        calls.push_back("DrawCell " + std::to_string(col) + " " + std::to_string(row));
    }
    void DrawMarkedCell(int32_t col, int32_t row) override {
        calls.push_back("DrawMarkedCell " + std::to_string(col) + " " + std::to_string(row));
    }
    void DrawTimeBar() override {
        calls.push_back(view ? "DrawTimeBar " + std::to_string(view->TimeLeft) : "DrawTimeBar");
    }
    void DrawLinkPath(bool show) override {
        const std::string points = view ? std::to_string(view->LinkPath.size()) + " " : "";
        calls.push_back("DrawLinkPath " + points + (show ? "show" : "erase"));
    }
    void DestroyStartScreen() override { calls.push_back("DestroyStartScreen"); }
    void FormResize() override { calls.push_back("FormResize"); }

    void SetMenuEnabled(MenuItemId item, bool enabled) override {
        calls.push_back(std::string("SetMenuEnabled ") + MenuItemName(item) +
                        (enabled ? " on" : " off"));
        std::erase(disabled_, MenuItemName(item));
        if (!enabled) disabled_.push_back(MenuItemName(item));
    }
    void SetMenuChecked(MenuItemId item, bool checked) override {
        calls.push_back(std::string("SetMenuChecked ") + MenuItemName(item) +
                        (checked ? " on" : " off"));
        checked_[MenuItemName(item)] = checked;
    }

    void SetTimerEnabled(TimerId timer, bool enabled) override {
        calls.push_back(std::string("SetTimerEnabled ") + TimerName(timer) +
                        (enabled ? " on" : " off"));
        timers_[timer] = enabled;
    }

    void MessageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                    MessageIcon icon) override {
        calls.push_back("MessageBox " + text);
        messages.push_back({text, caption, buttons, icon});
        if (whileMessageOpen) whileMessageOpen(messages.back());
    }
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultText) override {
        calls.push_back("InputBox " + caption + " " + prompt + " " + defaultText);
        if (inputAnswers.empty()) return std::nullopt;
        std::optional<std::string> answer = inputAnswers.front();
        inputAnswers.pop_front();
        return answer;
    }

    void PlayCue(const std::string& name) override {
        calls.push_back("PlayCue " + name);
        cues.push_back(name);
    }
    void StopCue() override { calls.push_back("StopCue"); }
    void Wait(int32_t milliseconds) override {
        calls.push_back("Wait " + std::to_string(milliseconds));
    }
    void Beep() override {
        calls.push_back("Beep");
        ++beeps;
    }
    void SetApplicationTitle(const std::string& text) override {
        calls.push_back("SetApplicationTitle " + text);
        title = text;
    }
    void Minimize() override { calls.push_back("Minimize"); }
    void CloseWindow() override { calls.push_back("CloseWindow"); }
    void ShowError(const std::string& text) override {
        calls.push_back("ShowError " + text);
        errors.push_back(text);
    }
    void SetPanelColor(uint32_t color) override {
        calls.push_back("SetPanelColor " + std::to_string(color));
    }

  private:
    std::vector<std::string> disabled_;
    std::map<std::string, bool> checked_;
    std::map<TimerId, bool> timers_;
};

}  // namespace tessaly::test
