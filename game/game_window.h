// What the game asks of the window it runs in, and what it tells it has changed. The Qt main
// window implements it; tests implement it with a recorder, so a whole game can be played
// without a display. A window draws from the game's view (game/game_view.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tessaly {

// The menu items the game enables, disables or checks; the menu itself, with every other
// item, is the table in game/menu_commands.h.
enum class MenuItemId {
    MenuGameLow,
    MenuGameMedium,
    MenuGameHigh,
    MenuGameSpecial,
    MenuGameAbandon,
    MenuOptionGetHint,
    MenuOptionRearrange,
    MenuOptionBitmap,
    MenuOptionSound,
    MenuOptionMusic,
    MenuOptionBackGround,
    MenuChange,
    MenuAutoPlay,
};
inline constexpr int MenuItemIdCount = static_cast<int>(MenuItemId::MenuAutoPlay) + 1;

enum class TimerId { TimerGuard, TimerAutoPlay, TimerGameDelay };

enum class MessageIcon { None, Information, Exclamation };
enum class MessageButtons { Ok };

// All texts are UTF-8.
class GameWindow {
  public:
    virtual ~GameWindow() = default;

    // Drawing. Each operation paints at once; none throws: a picture that cannot be loaded is
    // reported to the player by the window itself and ends only the drawing it was part of.
    virtual void MainPaintBoxPaint() = 0;
    virtual void DrawCellPicture(int32_t col, int32_t row, int32_t value) = 0;
    virtual void DrawCell(int32_t col, int32_t row) = 0;
    virtual void DrawMarkedCell(int32_t col, int32_t row) = 0;
    virtual void DrawTimeBar() = 0;
    virtual void DrawLinkPath(bool show) = 0;  // the view's LinkPath, or its erasure
    virtual void DestroyStartScreen() = 0;     // uncovers the board surface
    virtual void FormResize() = 0;

    // Menu items. The game owns the toggles' states and only shows them here.
    virtual void SetMenuEnabled(MenuItemId item, bool enabled) = 0;
    virtual void SetMenuChecked(MenuItemId item, bool checked) = 0;

    // Window timers. Enabling a running timer keeps its phase.
    virtual void SetTimerEnabled(TimerId timer, bool enabled) = 0;

    // Modal dialogs owned by the main window.
    virtual void MessageBox(const std::string& text, const std::string& caption,
                            MessageButtons buttons, MessageIcon icon) = 0;
    // The edited text on OK, nothing on Cancel or when no box can be shown.
    virtual std::optional<std::string> InputBox(const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& defaultText) = 0;

    // Platform services.
    virtual void PlayCue(const std::string& name) = 0;
    virtual void StopCue() = 0;                   // silences the cue that is playing, if any
    virtual void Wait(int32_t milliseconds) = 0;  // blocks input; what was drawn stays visible
    virtual void Beep() = 0;
    virtual void SetApplicationTitle(const std::string& title) = 0;
    virtual void Minimize() = 0;
    virtual void CloseWindow() = 0;

    // The application's error box, for failures of the platform's calls (a number that cannot
    // be converted, a file that cannot be read). The window may show it with an error icon.
    virtual void ShowError(const std::string& text) {
        MessageBox(text, "Tessaly", MessageButtons::Ok, MessageIcon::Exclamation);
    }
    // The colour behind the board and the information line (0x00BBGGRR), set with the
    // background; a window that reads the view's presentation when it paints needs nothing.
    virtual void SetPanelColor(uint32_t color) { static_cast<void>(color); }
};

}  // namespace tessaly
