// The main menu, item by item: where it sits, its caption, its kind, its state at start and the
// handler it runs. The window builds its menu bar from this table, the recording
// window takes its starting state from it, and the game fuzzer chooses commands from it. The
// menu binds no shortcut keys: the window reads keys itself.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "game/handlers.h"

namespace tessaly {

enum class MenuKind { Submenu, Radio, Toggle, Plain, Separator };

using MenuCommand = void (*)(Handlers&);

struct MenuEntry {
    const char* Parent;  // nullptr: the menu bar itself
    const char* Name;
    const char* Caption;
    MenuKind Kind;
    bool Enabled;
    bool Checked;
    // Only the items the game enables, disables or checks have an id.
    std::optional<MenuItemId> Id;
    MenuCommand Command;  // nullptr: a submenu or a separator
};

// Enabled while a game is on, disabled when idle; in the order they are switched.
inline constexpr std::array GameItems{
    MenuItemId::MenuGameAbandon,     MenuItemId::MenuOptionGetHint,
    MenuItemId::MenuOptionRearrange, MenuItemId::MenuOptionBackGround,
    MenuItemId::MenuOptionSound,     MenuItemId::MenuOptionBitmap,
    MenuItemId::MenuChange,          MenuItemId::MenuAutoPlay,
};

// Disabled while a game is on, so that a grade is changed only by its key.
inline constexpr std::array DifficultyItems{
    MenuItemId::MenuGameLow,
    MenuItemId::MenuGameMedium,
    MenuItemId::MenuGameHigh,
    MenuItemId::MenuGameSpecial,
};

namespace menu_table {
using enum MenuKind;
using M = MenuItemId;
inline constexpr MenuEntry MainMenuTable[] = {
    {nullptr, "MenuGame", "游戏", Submenu, true, false, {}, nullptr},
    {"MenuGame", "MenuGameLow", "初级 - F1", Radio, true, true, M::MenuGameLow,
     Run<&Flow::MenuGameLowClick>},
    {"MenuGame", "MenuGameMedium", "中级 - F2", Radio, true, false, M::MenuGameMedium,
     Run<&Flow::MenuGameMediumClick>},
    {"MenuGame", "MenuGameHigh", "高级 - F3", Radio, true, false, M::MenuGameHigh,
     Run<&Flow::MenuGameHighClick>},
    {"MenuGame", "MenuGameSpecial", "特级 - F4", Radio, true, false, M::MenuGameSpecial,
     Run<&Flow::MenuGameSpecialClick>},
    {"MenuGame", "N7", "-", Separator, true, false, {}, nullptr},
    {"MenuGame",
     "MenuGamePause",
     "暂停 - F8",
     Plain,
     true,
     false,
     {},
     Run<&Timers::MenuGamePauseClick>},
    {"MenuGame", "N5", "-", Separator, true, false, {}, nullptr},
    {"MenuGame", "MenuGameAbandon", "放弃 - ESC", Plain, false, false, M::MenuGameAbandon,
     Run<&Flow::MenuGameAbandonClick>},
    {"MenuGame", "N2", "-", Separator, true, false, {}, nullptr},
    {"MenuGame", "MenuTop", "排行榜", Plain, true, false, {}, Run<&Commands::MenuTopClick>},
    {"MenuGame", "MenuGameSeperator", "-", Separator, true, false, {}, nullptr},
    {"MenuGame", "MenuGameExit", "退出", Plain, true, false, {}, Run<&Commands::MenuGameExitClick>},
    {nullptr, "N1", "选项", Submenu, true, false, {}, nullptr},
    {"N1", "MenuOptionGetHint", "提示 - F5", Plain, false, false, M::MenuOptionGetHint,
     Run<&Help::MenuOptionGetHintClick>},
    {"N1", "MenuOptionRearrange", "重排 - F6", Plain, false, false, M::MenuOptionRearrange,
     Run<&Help::MenuOptionRearrangeClick>},
    {"N1", "N4", "-", Separator, true, false, {}, nullptr},
    {"N1", "MenuOptionBitmap", "图案", Plain, false, false, M::MenuOptionBitmap,
     Run<&Commands::MenuOptionBitmapClick>},
    {"N1", "MenuOptionSound", "音效", Toggle, true, true, M::MenuOptionSound,
     Run<&Commands::MenuOptionSoundClick>},
    {"N1", "MenuOptionMusic", "音乐", Toggle, true, false, M::MenuOptionMusic,
     Run<&Music::MenuOptionMusicClick>},
    {"N1", "MenuOptionBackGround", "背景", Plain, false, false, M::MenuOptionBackGround,
     Run<&Commands::MenuOptionBackGroundClick>},
    {"N1", "N3", "-", Separator, true, false, {}, nullptr},
    {"N1", "MenuChange", "变化", Submenu, false, false, M::MenuChange, nullptr},
    {"MenuChange",
     "MenuNoChange",
     "固定",
     Radio,
     true,
     true,
     {},
     Run<&Commands::MenuNoChangeClick>},
    {"MenuChange", "MenuToDown", "向下", Radio, true, false, {}, Run<&Commands::MenuToDownClick>},
    {"MenuChange", "MenuToLeft", "向左", Radio, true, false, {}, Run<&Commands::MenuToLeftClick>},
    {"MenuChange",
     "MenuUpDownSeperate",
     "上下分离",
     Radio,
     true,
     false,
     {},
     Run<&Commands::MenuUpDownSeperateClick>},
    {"MenuChange",
     "MenuLeftRightSeperate",
     "左右分离",
     Radio,
     true,
     false,
     {},
     Run<&Commands::MenuLeftRightSeperateClick>},
    {"MenuChange",
     "MenuUpDownCollect",
     "上下集中",
     Radio,
     true,
     false,
     {},
     Run<&Commands::MenuUpDownCollectClick>},
    {"MenuChange",
     "MenuLeftRightCollect",
     "左右集中",
     Radio,
     true,
     false,
     {},
     Run<&Commands::MenuLeftRightCollectClick>},
    {"MenuChange",
     "MenuLeftUpRightDown",
     "上左下右",
     Radio,
     true,
     false,
     {},
     Run<&Commands::MenuLeftUpRightDownClick>},
    {"MenuChange",
     "MenuLeftDownRightUp",
     "左下右上",
     Radio,
     true,
     false,
     {},
     Run<&Commands::MenuLeftDownRightUpClick>},
    {"MenuChange",
     "MenuUpDownLeftRightSeperate",
     "向外扩散",
     Radio,
     true,
     false,
     {},
     Run<&Commands::MenuUpDownLeftRightSeperateClick>},
    {"MenuChange",
     "MenuUpDownLeftRightCollect",
     "向内集中",
     Radio,
     true,
     false,
     {},
     Run<&Commands::MenuUpDownLeftRightCollectClick>},
    {nullptr, "MenuHelp", "帮助", Submenu, true, false, {}, nullptr},
    {"MenuHelp",
     "MenuGameAbout",
     "关于Tessaly",
     Plain,
     true,
     false,
     {},
     Run<&Commands::MenuGameAboutClick>},
    {"MenuHelp", "MenuAutoPlay", "自动操作 - F7", Toggle, false, false, M::MenuAutoPlay,
     Run<&Timers::MenuAutoPlayClick>},
};
}  // namespace menu_table

using menu_table::MainMenuTable;

// The entry of an item the game addresses; every id has one.
constexpr const MenuEntry& EntryOf(MenuItemId id) {
    for (const MenuEntry& entry : MainMenuTable)
        if (entry.Id == id) return entry;
    throw "menu item without an entry";
}

constexpr bool EveryIdHasOneEntry() {
    for (int i = 0; i < MenuItemIdCount; ++i) {
        int entries = 0;
        for (const MenuEntry& entry : MainMenuTable) entries += entry.Id == MenuItemId(i);
        if (entries != 1) return false;
    }
    return true;
}
static_assert(EveryIdHasOneEntry());

// The entry named `name`, or nullptr.
constexpr const MenuEntry* EntryNamed(std::string_view name) {
    for (const MenuEntry& entry : MainMenuTable)
        if (name == entry.Name) return &entry;
    return nullptr;
}

}  // namespace tessaly
