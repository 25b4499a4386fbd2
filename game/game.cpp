// The door: each kind of input goes to the handler the design names for it.
#include "game/game.h"

#include <algorithm>
#include <utility>

#include "game/key_codes.h"

namespace tessaly {

Game::Game(GameWindow& window, SeedSource seedSource)
    : engine_(std::move(seedSource)), view_(engine_), handlers_(engine_, window, view_) {}

void Game::FormCreate() {
    handlers_.Get<Flow>().FormCreate();
}

void Game::SetMusicDevice(MusicDevice* device) {
    handlers_.Get<Music>().SetMusicDevice(device);
}

bool Game::Command(const MenuEntry& entry) {
    // The handler is a plain function pointer: one from anywhere but the table would reach any
    // part of the game around this door.
    const bool ours =
        std::ranges::any_of(MainMenuTable, [&](const MenuEntry& e) { return &e == &entry; });
    if (!ours || !entry.Command) return false;
    entry.Command(handlers_);
    return true;
}

void Game::Command(MenuItemId item) {
    Command(EntryOf(item));
}

bool Game::Command(std::string_view itemName) {
    const MenuEntry* entry = EntryNamed(itemName);
    return entry && Command(*entry);
}

void Game::Key(int32_t virtualKey) {
    FormKeyDown(virtualKey);
}

void Game::FormKeyDown(int32_t virtualKey) {
    Flow& flow = handlers_.Get<Flow>();
    Help& help = handlers_.Get<Help>();
    Timers& timers = handlers_.Get<Timers>();
    switch (virtualKey) {
        case vk::F1:
            flow.MenuGameLowClick();
            break;
        case vk::F2:
            flow.MenuGameMediumClick();
            break;
        case vk::F3:
            flow.MenuGameHighClick();
            break;
        case vk::F4:
            flow.MenuGameSpecialClick();
            break;
        case vk::F5:
            help.MenuOptionGetHintClick();
            break;
        case vk::F6:
            help.MenuOptionRearrangeClick();
            break;
        case vk::F7:
            timers.MenuAutoPlayClick();
            break;
        case vk::F8:
            timers.MenuGamePauseClick();
            break;
        case vk::Escape:
            flow.MenuGameAbandonClick();
            break;
        default:
            break;
    }
}

void Game::MouseDown(int32_t x, int32_t y) {
    handlers_.Get<TileClick>().MainPaintBoxMouseDown(x, y);
}

void Game::Tick(TimerId timer) {
    switch (timer) {
        case TimerId::TimerGuard:
            handlers_.Get<Music>().TimerGuardTimer();
            break;
        case TimerId::TimerAutoPlay:
            handlers_.Get<Timers>().TimerAutoPlayTimer();
            break;
        case TimerId::TimerGameDelay:
            handlers_.Get<Timers>().TimerGameDelayTimer();
            break;
    }
}

void Game::Minimize() {
    handlers_.Get<Timers>().ApplicationEvents1Minimize();
}

void Game::Restore() {
    handlers_.Get<Timers>().ApplicationEvents1Restore();
}

}  // namespace tessaly
