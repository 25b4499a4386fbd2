// What the window reads to draw the game, and nothing it may change: the board, the counters,
// the look, the switches and the path of the last link.
// The game keeps its state here and hands its window only a const view.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/board_types.h"
#include "game/presentation_settings.h"

namespace tessaly {

class Engine;

// The information line's texts in drawing order, UTF-8: for the grade, the level, the lives
// and the hints a blank (the label, then spaces as wide as the longest value) and the label with
// its value; last the time's label.
using InfoTexts = std::array<std::string, 9>;

class GameView {
  public:
    explicit GameView(const Engine& engine);
    // A copy would freeze the counters yet still read the board of the live engine, and outlive it.
    GameView(const GameView&) = delete;
    GameView& operator=(const GameView&) = delete;

    // The board with its border ring, Board()[column][row]; 0 is an empty cell.
    const TMyArray& Board() const;
    int32_t ColCount() const;
    int32_t RowCount() const;
    // The value of a cell, or nothing for a cell the board does not have.
    std::optional<int32_t> ValueAt(int32_t col, int32_t row) const;

    // The counters, with their values at program start.
    uint8_t Difficulty = 0;
    uint8_t Level = 0;
    bool Playing = false;
    int32_t Lives = 2;
    int32_t Hints = 4;
    int32_t TimeLeft = 100;
    // The pair the hint shows, found whenever the board changes; {0, 0} twice when none is.
    TCell HintPair[2] = {};
    // The counters as the information line shows them.
    const InfoTexts& InfoLine() const;

    // Picture set and background.
    PresentationSettings Presentation;

    // The player's switches and marks, from the menu table's starting states; the sound switch
    // holds while its item is disabled.
    bool SoundOn;
    bool MusicOn;
    bool AutoPlayMarked;
    bool AutoPlayRunning = false;

    // The cells of the path of the last removal, from one tile to the other.
    std::vector<TCell> LinkPath;

  private:
    const Engine* engine_;
    // The texts are composed again only when a counter they show has changed.
    struct InfoCounters {
        int32_t Difficulty, Level, Lives, Hints;
        friend bool operator==(const InfoCounters&, const InfoCounters&) = default;
    };
    mutable std::optional<InfoCounters> infoFor_;
    mutable InfoTexts infoTexts_;
};

}  // namespace tessaly
