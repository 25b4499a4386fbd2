// One game, and the one door its input comes in by: menu commands, keys, clicks on the board,
// timer ticks, minimising and restoring. The game tells its window what changed through the
// window interface; the window draws from the game's view and reads nothing else.
#pragma once

#include <cstdint>
#include <string_view>

#include "engine/engine.h"
#include "game/game_view.h"
#include "game/game_window.h"
#include "game/handlers.h"
#include "game/key_codes.h"
#include "game/menu_commands.h"
#include "game/music_device.h"

namespace tessaly {

class Game {
  public:
    explicit Game(GameWindow& window, SeedSource seedSource = ClockSeed);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    const GameView& View() const { return view_; }

    // Start-up: the game's part of the window's creation, and the player the music goes
    // through (not owned; nullptr for none).
    void FormCreate();
    void SetMusicDevice(MusicDevice* device);

    // Input. A command runs whatever state its item is in: the window offers only the items
    // it shows enabled. Only the menu table's own items run: an entry built elsewhere, a name
    // the table does not have, a submenu or a separator runs nothing and gives false.
    bool Command(const MenuEntry& entry);
    void Command(MenuItemId item);
    [[nodiscard]] bool Command(std::string_view itemName);
    // A virtual-key code (F1 = 0x70 ... F8 = 0x77, Esc = 0x1B); modifiers are not looked at.
    void Key(int32_t virtualKey);
    // A press on the board surface at its pixel x, y, whatever the button.
    void MouseDown(int32_t x, int32_t y);
    void Tick(TimerId timer);
    void Minimize();
    void Restore();

  private:
    friend struct GameTestAccess;

    void FormKeyDown(int32_t virtualKey);

    Engine engine_;
    GameView view_;
    Handlers handlers_;
};

}  // namespace tessaly
