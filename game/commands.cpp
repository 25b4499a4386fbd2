// Menu commands without a rule of their own: shift modes, the leaderboard, leaving, the sound
// switch, the picture-set and background dialogs, the about box.
#include "game/commands.h"

#include <optional>
#include <string>

#include "game/difficulty_table.h"
#include "game/integer_text.h"
#include "game/publisher.h"

namespace tessaly {

void Commands::ShiftModeClick(uint8_t mode) {
    if (mode > LastLevel) return;
    view_.Level = mode;
    // The selection names a cell and is kept even when the shift empties that cell: the next
    // click then meets an empty first cell, is told the tiles differ, and starts afresh.
    engine_.ShiftBoard(mode);
    window_.MainPaintBoxPaint();
}

void Commands::MenuTopClick() {
    window_.MessageBox("此功能暂时没有加入.", "信息", MessageButtons::Ok, MessageIcon::Information);
}

void Commands::MenuGameExitClick() {
    window_.CloseWindow();
}

void Commands::MenuOptionSoundClick() {
    view_.SoundOn = !view_.SoundOn;
    window_.SetMenuChecked(MenuItemId::MenuOptionSound, view_.SoundOn);
}

// Cancel, or a box that cannot be shown, keeps the current number; so does a number out of
// range. Text that is no number is reported and changes nothing (ok is false then).
int32_t Commands::AskNumber(const std::string& prompt, int32_t current, int32_t upperBound,
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

void Commands::MenuOptionBitmapClick() {
    if (!view_.Playing) return;
    const int32_t upper = PictureSetCount;
    bool ok = false;
    const int32_t number = AskNumber("请输入图案编号(1 - " + std::to_string(upper) + "): ",
                                     view_.Presentation.PictureSetNumber, upper, ok);
    if (!ok) return;
    view_.Presentation.PictureSetNumber = number;
    view_.Presentation.PictureSetFolder = PictureSetFolderOf(number);
    window_.MainPaintBoxPaint();
}

void Commands::MenuOptionBackGroundClick() {
    if (!view_.Playing) return;
    const int32_t upper = BackgroundCount;
    bool ok = false;
    const int32_t number = AskNumber("请输入背景颜色编号(1 - " + std::to_string(upper) + "): ",
                                     view_.Presentation.BackgroundNumber, upper, ok);
    if (!ok) return;
    view_.Presentation.BackgroundNumber = number;
    view_.Presentation.BackgroundColor = IndexToColor(number);
    window_.SetPanelColor(view_.Presentation.BackgroundColor);
    window_.MainPaintBoxPaint();
}

void Commands::MenuGameAboutClick() {
    window_.MessageBox(std::string("名  称 - Tessaly\r\n") + "开发者 - " + PublisherAddress +
                           "\r\n" + "版  本 - V2012\r\n",
                       "关于", MessageButtons::Ok, MessageIcon::None);
}

}  // namespace tessaly
