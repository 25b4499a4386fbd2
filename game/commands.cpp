// Menu commands without a rule of their own: shift modes, the leaderboard, leaving, the sound
// switch, the picture-set and background dialogs, the about box.
#include <charconv>
#include <optional>
#include <string>

#include "game/difficulty_table.h"
#include "game/publisher.h"
#include "game/session.h"

namespace tessaly {

namespace {

// A whole number in decimal with an optional sign; spaces round it are forgiven.
std::optional<int32_t> ParseInteger(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    const auto last = text.find_last_not_of(' ');
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    int32_t value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || begin == end) return std::nullopt;
    return value;
}

}  // namespace

void Session::ShiftModeClick(uint8_t mode) {
    if (mode > LastLevel) return;
    Level = mode;
    // The selection names a cell and is kept even when the shift empties that cell: the next
    // click then meets an empty first cell, is told the tiles differ, and starts afresh.
    engine_.ShiftBoard(mode);
    window_.MainPaintBoxPaint();
}

void Session::MenuTopClick() {
    window_.MessageBox("此功能暂时没有加入.", "信息", MessageButtons::Ok, MessageIcon::Information);
}

void Session::MenuGameExitClick() {
    window_.CloseWindow();
}

void Session::Cue(const char* name) {
    if (SoundOn) window_.PlayCue(name);
}

void Session::MenuOptionSoundClick() {
    SoundOn = !SoundOn;
    window_.SetMenuChecked(MenuItemId::MenuOptionSound, SoundOn);
}

bool Session::Marked(MenuItemId item) const {
    switch (item) {
        case MenuItemId::MenuOptionSound:
            return SoundOn;
        case MenuItemId::MenuOptionMusic:
            return MusicOn;
        case MenuItemId::MenuAutoPlay:
            return AutoPlayMarked;
        default:
            return false;
    }
}

// Cancel, or a box that cannot be shown, keeps the current number; so does a number out of
// range. Text that is no number is reported and changes nothing (ok is false then).
int32_t Session::AskNumber(const std::string& prompt, int32_t current, int32_t upperBound,
                           bool& ok) {
    const std::string answer =
        window_.InputBox("输入", prompt, std::to_string(current)).value_or(std::to_string(current));
    const std::optional<int32_t> number = ParseInteger(answer);
    ok = number.has_value();
    if (!ok) {
        window_.ShowError("''" + answer + "'' is not a valid integer value");
        return current;
    }
    return (*number < 1 || *number > upperBound) ? current : *number;
}

void Session::MenuOptionBitmapClick() {
    if (!Playing) return;
    const int32_t upper = PictureSetCount;
    bool ok = false;
    const int32_t number = AskNumber("请输入图案编号(1 - " + std::to_string(upper) + "): ",
                                     Presentation.PictureSetNumber, upper, ok);
    if (!ok) return;
    Presentation.PictureSetNumber = number;
    Presentation.PictureSetFolder = PictureSetFolderOf(number);
    window_.MainPaintBoxPaint();
}

void Session::MenuOptionBackGroundClick() {
    if (!Playing) return;
    const int32_t upper = BackgroundCount;
    bool ok = false;
    const int32_t number = AskNumber("请输入背景颜色编号(1 - " + std::to_string(upper) + "): ",
                                     Presentation.BackgroundNumber, upper, ok);
    if (!ok) return;
    Presentation.BackgroundNumber = number;
    Presentation.BackgroundColor = IndexToColor(number);
    window_.SetPanelColor(Presentation.BackgroundColor);
    window_.MainPaintBoxPaint();
}

void Session::MenuGameAboutClick() {
    window_.MessageBox(std::string("名  称 - Tessaly\r\n") + "开发者 - " + PublisherAddress +
                           "\r\n" + "版  本 - V2012\r\n",
                       "关于", MessageButtons::Ok, MessageIcon::None);
}

}  // namespace tessaly
