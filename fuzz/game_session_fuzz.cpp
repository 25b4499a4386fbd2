// Plays an arbitrary stream of clicks, keys, menu commands, timer ticks, minimising and
// restoring at a game on a recording window, as a person or a stuck key can, and checks
// after every step what must always hold. A modal box lets a tick of another timer run while it
// is open, as the real window's boxes do.
#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "game/game.h"
#include "tests/game/game_access.h"
#include "tests/game/recording_window.h"
#include "tests/music/fake_music_device.h"

namespace {

using namespace tessaly;

[[noreturn]] void Fail(const char* what) {
    __builtin_fprintf(stderr, "game invariant broken: %s\n", what);
    __builtin_trap();
}

void Require(bool holds, const char* what) {
    if (!holds) Fail(what);
}

class Bytes {
  public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool Done() const { return at_ >= size_; }
    uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    int32_t Signed16() {
        const uint16_t low = Next();
        return static_cast<int16_t>(static_cast<uint16_t>(low | Next() << 8));
    }
    std::string Text() {
        std::string text(Next() % 12, ' ');
        for (char& c : text) c = static_cast<char>(Next());
        return text;
    }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

using M = MenuItemId;

// A command can be chosen while its item and the submenu it sits in are enabled: the shift
// modes are enabled and disabled as a whole, through their submenu.
const std::vector<const MenuEntry*>& Commands() {
    static const std::vector<const MenuEntry*> commands = [] {
        std::vector<const MenuEntry*> entries;
        for (const MenuEntry& entry : MainMenuTable)
            if (entry.Command) entries.push_back(&entry);
        return entries;
    }();
    return commands;
}

constexpr std::array<int32_t, 9> Keys{vk::F1, vk::F2, vk::F3, vk::F4,    vk::F5,
                                      vk::F6, vk::F7, vk::F8, vk::Escape};

class Player {
  public:
    Player(const uint8_t* data, size_t size)
        : in_(data, size), game_(window_, [n = uint32_t{in_.Next()} << 8 | in_.Next()]() mutable {
              return n++ * 2654435761u;
          }) {
        game_.SetMusicDevice(&music_);
        game_.FormCreate();
        window_.whileMessageOpen = [this](const test::ShownMessage&) { WhileBoxOpen(); };
        CheckInvariants(false);
    }

    void Play() {
        while (!in_.Done() && !closed_) {
            const int32_t tilesBefore = TileCount();
            const int32_t livesBefore = view_.Lives;
            Step();
            window_.inputAnswers.clear();
            FollowWindow();
            // The stored pair is refreshed by a new board, a removal and a rearrangement.
            const bool refreshed =
                newBoard_ || TileCount() < tilesBefore || view_.Lives < livesBefore;
            newBoard_ = false;
            CheckInvariants(refreshed);
        }
    }

  private:
    enum Handler { Click, Key, Menu, Countdown, AutoPlay, Music, Minimise, Restore, HandlerCount };

    // Runs one handler; none may be entered while it is already running.
    template <typename F>
    void Run(Handler handler, F&& body) {
        Require(!running_[handler], "a handler re-entered");
        running_[handler] = true;
        body();
        running_[handler] = false;
    }

    void Step() {
        const uint8_t op = in_.Next() % 16;
        if (op <= 4) {
            // A cell of the board, its ring or one step beyond, hit anywhere inside.
            const int32_t col = in_.Next() % (engine_.ColCount() + 2) - 1;
            const int32_t row = in_.Next() % (engine_.RowCount() + 2) - 1;
            const int32_t x = ColToX(col) + in_.Next() % CellSize;
            const int32_t y = RowToY(row) + in_.Next() % CellSize;
            Run(Click, [&] { game_.MouseDown(x, y); });
        } else if (op == 5) {
            const int32_t x = in_.Signed16();
            const int32_t y = in_.Signed16();
            Run(Click, [&] { game_.MouseDown(x, y); });
        } else if (op <= 7) {
            const uint8_t pick = in_.Next();
            const int32_t key = pick & 0x80 ? pick : Keys[pick % Keys.size()];
            Run(Key, [&] { game_.Key(key); });
        } else if (op <= 10) {
            const MenuEntry& entry = *Commands()[in_.Next() % Commands().size()];
            if (!window_.Enabled(entry.Name) || (entry.Parent && !window_.Enabled(entry.Parent)))
                return;
            QueueAnswer();
            Run(Menu, [&] { game_.Command(entry); });
        } else if (op <= 13) {
            Tick(op - 11);
        } else if (op == 14) {
            if (!minimized_) {
                minimized_ = true;
                Run(Minimise, [&] { game_.Minimize(); });
            }
        } else if (minimized_) {
            minimized_ = false;
            Run(Restore, [&] { game_.Restore(); });
        }
    }

    // A tick of one of the three timers, delivered only while that timer runs.
    void Tick(int which) {
        static constexpr std::array<std::pair<TimerId, Handler>, 3> timers{{
            {TimerId::TimerGameDelay, Countdown},
            {TimerId::TimerAutoPlay, AutoPlay},
            {TimerId::TimerGuard, Music},
        }};
        const auto [timer, handler] = timers[static_cast<size_t>(which) % timers.size()];
        if (!window_.Running(timer)) return;
        // A window's timer does not fire again while its own tick is being handled.
        if (running_[handler]) return;
        switch (handler) {
            case Countdown:
                Run(Countdown, [&] { game_.Tick(TimerId::TimerGameDelay); });
                break;
            case AutoPlay:
                Run(AutoPlay, [&] { game_.Tick(TimerId::TimerAutoPlay); });
                break;
            default: {
                const uint8_t how = in_.Next();
                if (how & 1) music_.at = music_.pieceLength;  // the piece has played out
                music_.failWith = how & 2 ? "The device is not ready" : "";
                Run(Music, [&] { game_.Tick(TimerId::TimerGuard); });
                break;
            }
        }
    }

    // Cancel, a number (in range or not) or any text for the picture-set and background boxes.
    void QueueAnswer() {
        switch (in_.Next() % 3) {
            case 0:
                window_.inputAnswers.push_back(std::nullopt);
                break;
            case 1:
                window_.inputAnswers.push_back(std::to_string(static_cast<int8_t>(in_.Next())));
                break;
            default:
                window_.inputAnswers.push_back(in_.Text());
                break;
        }
    }

    void WhileBoxOpen() {
        if (boxDepth_ >= 2) return;
        const uint8_t what = in_.Next();
        if (what % 4 != 0) return;
        ++boxDepth_;
        Tick(what / 4);
        --boxDepth_;
    }

    // What the real window does after the game asked it to minimise or close.
    void FollowWindow() {
        for (const std::string& call : window_.calls) {
            if (call == "CloseWindow") closed_ = true;
            if (call == "DestroyStartScreen") newBoard_ = true;
            if (call == "Minimize" && !minimized_) {
                minimized_ = true;
                Run(Minimise, [&] { game_.Minimize(); });
            }
        }
        window_.Forget();
    }

    int32_t At(TCell c) const {
        return engine_.Board()[static_cast<size_t>(c.X)][static_cast<size_t>(c.Y)];
    }
    bool Inside(TCell c) const {
        return c.X >= 1 && c.Y >= 1 && c.X <= engine_.ColCount() - 2 &&
               c.Y <= engine_.RowCount() - 2;
    }
    int32_t TileCount() const {
        int32_t tiles = 0;
        for (const auto& column : engine_.Board())
            for (int32_t value : column) tiles += value != 0;
        return tiles;
    }

    void CheckInvariants(bool hintRefreshed) {
        Require(view_.Lives >= 0, "Lives below 0");
        Require(view_.Hints >= 0, "Hints below 0");
        Require(view_.TimeLeft >= 0 && view_.TimeLeft <= 100, "TimeLeft outside 0..100");
        CheckMenuState();
        // The window shows the switches the game owns, never a state of its own.
        Require(window_.Checked(M::MenuOptionSound) == view_.SoundOn, "sound mark astray");
        Require(window_.Checked(M::MenuOptionMusic) == view_.MusicOn, "music mark astray");
        Require(window_.Checked(M::MenuAutoPlay) == view_.AutoPlayMarked, "auto mark astray");
        Require(window_.Running(TimerId::TimerAutoPlay) == view_.AutoPlayRunning,
                "automatic play's timer astray");
        if (engine_.Board().empty()) return;

        Require(engine_.BoardMatchesDimensions(), "board does not match its dimensions");
        std::map<int32_t, int32_t> kinds;
        for (int32_t c = 0; c < engine_.ColCount(); ++c) {
            for (int32_t r = 0; r < engine_.RowCount(); ++r) {
                const int32_t value = At({c, r});
                if (!Inside({c, r})) Require(value == 0, "a tile on the ring");
                Require(value >= 0 && value <= engine_.KindCount(), "a kind outside 0..KindCount");
                if (value != 0) ++kinds[value];
            }
        }
        for (const auto& [kind, count] : kinds) Require(count % 2 == 0, "a kind with an odd count");

        if (!engine_.StackIsEmpty()) {
            // A shift may empty the selected cell; the next click then clears the selection.
            Require(Inside(engine_.PeekCell()), "selection outside the board");
        }
        if (hintRefreshed && view_.Playing) {
            const TCell p = view_.HintPair[0];
            const TCell q = view_.HintPair[1];
            Require(Inside(p) && Inside(q) && p != q, "hint pair not two cells of the board");
            Require(At(p) != 0 && At(p) == At(q), "hint pair not two tiles of one kind");
            Engine probe = engine_;  // the link test leaves its traces in the engine
            Require(probe.CanLink(p, q), "hint pair cannot be linked");
        }
    }

    void CheckMenuState() {
        bool gameOn = true;
        bool gameOff = true;
        for (MenuItemId item : GameItems) {
            const bool on = window_.Enabled(item);
            gameOn = gameOn && on;
            // At start the sound switch is the one game item already enabled.
            gameOff = gameOff && (!on || item == M::MenuOptionSound);
        }
        bool gradesOn = true;
        bool gradesOff = true;
        for (MenuItemId item : DifficultyItems) {
            gradesOn = gradesOn && window_.Enabled(item);
            gradesOff = gradesOff && !window_.Enabled(item);
        }
        Require((gameOn && gradesOff) || (gameOff && gradesOn), "menus in no known state");
    }

    Bytes in_;
    test::RecordingWindow window_;
    test::FakeMusicDevice music_;
    Game game_;
    const GameView& view_ = game_.View();
    const Engine& engine_ = GameTestAccess::EngineOf(game_);
    std::array<bool, HandlerCount> running_{};
    bool minimized_ = false;
    bool closed_ = false;
    bool newBoard_ = false;
    int boxDepth_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Player player(data, size);
    player.Play();
    return 0;
}
