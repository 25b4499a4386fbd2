// Every menu item that runs a command, with the session's handler for it: the window connects
// its menu through this table, and the game fuzzer chooses commands from it.
#pragma once

#include <array>
#include <utility>

#include "game/session.h"

namespace tessaly {

using MenuCommand = void (Session::*)();

inline constexpr std::array<std::pair<MenuItemId, MenuCommand>, 27> MenuCommands{{
    {MenuItemId::MenuGameLow, &Session::MenuGameLowClick},
    {MenuItemId::MenuGameMedium, &Session::MenuGameMediumClick},
    {MenuItemId::MenuGameHigh, &Session::MenuGameHighClick},
    {MenuItemId::MenuGameSpecial, &Session::MenuGameSpecialClick},
    {MenuItemId::MenuGamePause, &Session::MenuGamePauseClick},
    {MenuItemId::MenuGameAbandon, &Session::MenuGameAbandonClick},
    {MenuItemId::MenuTop, &Session::MenuTopClick},
    {MenuItemId::MenuGameExit, &Session::MenuGameExitClick},
    {MenuItemId::MenuOptionGetHint, &Session::MenuOptionGetHintClick},
    {MenuItemId::MenuOptionRearrange, &Session::MenuOptionRearrangeClick},
    {MenuItemId::MenuOptionBitmap, &Session::MenuOptionBitmapClick},
    {MenuItemId::MenuOptionSound, &Session::MenuOptionSoundClick},
    {MenuItemId::MenuOptionMusic, &Session::MenuOptionMusicClick},
    {MenuItemId::MenuOptionBackGround, &Session::MenuOptionBackGroundClick},
    {MenuItemId::MenuNoChange, &Session::MenuNoChangeClick},
    {MenuItemId::MenuToDown, &Session::MenuToDownClick},
    {MenuItemId::MenuToLeft, &Session::MenuToLeftClick},
    {MenuItemId::MenuUpDownSeperate, &Session::MenuUpDownSeperateClick},
    {MenuItemId::MenuLeftRightSeperate, &Session::MenuLeftRightSeperateClick},
    {MenuItemId::MenuUpDownCollect, &Session::MenuUpDownCollectClick},
    {MenuItemId::MenuLeftRightCollect, &Session::MenuLeftRightCollectClick},
    {MenuItemId::MenuLeftUpRightDown, &Session::MenuLeftUpRightDownClick},
    {MenuItemId::MenuLeftDownRightUp, &Session::MenuLeftDownRightUpClick},
    {MenuItemId::MenuUpDownLeftRightSeperate, &Session::MenuUpDownLeftRightSeperateClick},
    {MenuItemId::MenuUpDownLeftRightCollect, &Session::MenuUpDownLeftRightCollectClick},
    {MenuItemId::MenuGameAbout, &Session::MenuGameAboutClick},
    {MenuItemId::MenuAutoPlay, &Session::MenuAutoPlayClick},
}};

}  // namespace tessaly
