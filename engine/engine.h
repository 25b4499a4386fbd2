// The board engine: one board, its geometry, generation, the link test, the hint search and
// shifting. Plain C++: no toolkit, no files, no clock it was not handed.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/board_types.h"
#include "engine/seed_source.h"

namespace tessaly {

// 100 cells numbered 1..100 (slot 0 unused) and the number of the next free slot.
struct TCellList {
    static constexpr int32_t Capacity = 100;
    std::array<TCell, Capacity + 1> Slot{};
    int32_t NextFree = 1;

    void Append(TCell c) { Slot[static_cast<size_t>(NextFree++)] = c; }
};

enum class TShiftMode : uint8_t {
    smNoChange = 0,
    smToDown,
    smToLeft,
    smUpDownSeperate,
    smLeftRightSeperate,
    smUpDownCollect,
    smLeftRightCollect,
    smLeftUpRightDown,
    smLeftDownRightUp,
    smUpDownLeftRightSeperate,
    smUpDownLeftRightCollect,
};

// Ray directions, always cast and listed in this order.
enum class TDirection : uint8_t { Up = 0, Right, Down, Left };

// Names are UTF-8. Both leave `text` unchanged for a value they do not know.
void DifficultyName(int32_t grade, std::string& text);
void ShiftModeName(uint8_t mode, std::string& text);

class Engine {
  public:
    explicit Engine(SeedSource seedSource = ClockSeed);

    // Board and its dimensions (border ring included), Board()[column][row].
    const TMyArray& Board() const { return board_; }
    int32_t ColCount() const { return colCount_; }
    int32_t RowCount() const { return rowCount_; }
    int32_t KindCount() const { return kindCount_; }
    // The next board's dimensions and number of kinds, as a grade gives them; the board itself
    // changes only when it is generated.
    void SetDimensions(int32_t colCount, int32_t rowCount, int32_t kindCount) {
        colCount_ = colCount;
        rowCount_ = rowCount;
        kindCount_ = kindCount;
    }

    // Random generator: a linear congruential one, of this engine alone.
    void Reseed();
    uint32_t DrawUniform(uint32_t n);

    // Generation and shuffling.
    void GenerateBoard();
    void ShuffleBoard();
    void RearrangeBoard();
    void SwapCells(TCell a, TCell b);
    // Takes the tile off a cell of the board; a cell outside it is left alone.
    void RemoveTile(TCell c);
    // No tile is left inside the ring. A board that does not match its dimensions holds no
    // tile the rules can reach.
    bool IsBoardCleared() const;
    // Makes a move where chance has not: swaps kinds so that some tile gets a linkable partner,
    // keeping the occupied cells and the count of each kind. On success P and Q name the first
    // linkable pair; false (and the board unchanged) when no tile has a twin.
    bool PlaceLinkablePair(TCell& P, TCell& Q);

    // Selection stack: 10 slots numbered 1..10, top names the next free slot.
    void InitStack();
    bool StackIsEmpty() const;
    void PushCell(TCell c);
    TCell PeekCell() const;
    TCell PopCell();

    // Link test. It leaves the shape it found and that shape's corners behind.
    bool CanLink(TCell a, TCell b);
    // The cells of the last successful link's path from one tile to the other: 2, 3 or 4 as
    // its shape has; empty when no shape flag is set.
    std::vector<TCell> LinkPathCells() const;

    // Hint search: first linkable pair in scan order; P and Q untouched on failure.
    bool FindLinkablePair(TCell& P, TCell& Q);

    // Moves the remaining tiles by the mode; values other than 1..10 change nothing.
    void ShiftBoard(uint8_t mode);

    bool InBoard(TCell c) const;
    bool CellIsEmpty(TCell c) const;

    // True when Board() really has ColCount() columns of RowCount() rows; the operations that walk
    // the board do nothing on a board that does not match its dimensions.
    bool BoardMatchesDimensions() const;

  private:
    // Tests set up boards and pin down the link test's building blocks through a friend.
    friend struct EngineTestAccess;

    TMyArray board_;
    int32_t colCount_ = 0;
    int32_t rowCount_ = 0;
    int32_t kindCount_ = 0;
    uint32_t seed_ = 0;

    // What the last successful link test found: its shape and the cells of its path.
    TCellList linkPath_;
    bool linkAdjacent_ = false;
    bool linkStraight_ = false;
    bool linkOneCorner_ = false;
    bool linkTwoCorners_ = false;

    bool IsNeighbour(TCell a, TCell b) const;
    static bool SameCell(TCell a, TCell b) { return a == b; }
    static void ClearCellList(TCellList& list);
    static bool ListHasEntries(const TCellList& list) { return list.NextFree != 1; }
    bool CastRay(TCell start, TDirection dir, TCell target, TCellList& list) const;
    static bool FindCommonCell(const TCellList& p, const TCellList& q, TCell& common);
    bool TwoCornersViaRows(const TCellList& fromA, const TCellList& fromB);
    bool TwoCornersViaColumns(const TCellList& fromA, const TCellList& fromB);
    std::array<TCellList, 4> firstRays_;   // up, right, down, left
    std::array<TCellList, 4> secondRays_;  // up, right, down, left

    int32_t& At(TCell c) { return board_[static_cast<size_t>(c.X)][static_cast<size_t>(c.Y)]; }
    int32_t At(TCell c) const { return board_[static_cast<size_t>(c.X)][static_cast<size_t>(c.Y)]; }
    // CanLink without its guards, for two distinct tiles inside a board of the right shape.
    bool LinkTiles(TCell a, TCell b);
    void ClearShapeFlags();
    bool Enclosed(TCell c) const;
    bool TryPartner(TCell a, bool aEnclosed, TCell b, bool bEnclosed, TCell& P, TCell& Q);
    bool HasInterior() const { return colCount_ > 2 && rowCount_ > 2; }
    bool TwoCorners(const TCellList& fromA, const TCellList& fromB, bool viaRows);
    // Every cell strictly between two cells of one row or column is empty.
    bool EmptyBetween(TCell p, TCell q) const;
    void CompactLine(TCell start, int32_t dx, int32_t dy, int32_t length);
    void PackColumns(int32_t firstCol, int32_t lastCol, int32_t top, int32_t bottom,
                     bool towardTop);
    void PackRows(int32_t firstRow, int32_t lastRow, int32_t left, int32_t right, bool towardLeft);

    SeedSource seedSource_;
    std::array<TCell, 11> stackSlot_{};
    int32_t stackTop_ = 1;

    // Scratch of the hint search, fixed so that the search allocates nothing. A board with
    // more tiles, or with kind numbers beyond the table, is searched without it.
    struct ScanTile {
        TCell Cell;
        int32_t Value = 0;
        int8_t Enclosed = -1;  // no empty neighbour, so no ray: 1 yes, 0 no, -1 not known yet
        int16_t First = -1;    // the first tile of this kind in scan order
        int16_t Next = -1;     // the next tile of this kind, -1 after the last
    };
    static constexpr size_t MaxScanTiles = 1024;
    static constexpr int32_t MaxScanKinds = 1024;
    std::array<ScanTile, MaxScanTiles> scanTiles_{};
    std::array<int16_t, MaxScanKinds> kindHead_ = [] {
        std::array<int16_t, MaxScanKinds> heads{};
        heads.fill(-1);
        return heads;
    }();
};

}  // namespace tessaly
