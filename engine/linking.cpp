// The link test: may two tiles be joined by at most three straight segments over empty cells?
// Built from rays cast from both tiles; candidates are tried in a fixed order so that the
// shape with the fewest turns is the one reported, and the recorded path is always the same.
#include <algorithm>
#include <utility>

#include "engine/engine.h"

namespace tessaly {

namespace {
constexpr int32_t StepX[4] = {0, 1, 0, -1};  // up, right, down, left
constexpr int32_t StepY[4] = {-1, 0, 1, 0};

constexpr size_t Up = 0, Right = 1, Down = 2, Left = 3;

// One turn: a vertical ray of one tile crossing a horizontal ray of the other.
constexpr std::pair<size_t, size_t> OneCornerOrder[8] = {
    {Up, Right}, {Up, Left},    {Down, Right}, {Down, Left},
    {Right, Up}, {Right, Down}, {Left, Up},    {Left, Down},
};
// Two turns: parallel rays joined by a run across; the first four go through rows.
constexpr std::pair<size_t, size_t> TwoCornerOrder[8] = {
    {Up, Up},       {Up, Down},    {Down, Up},    {Down, Down},
    {Right, Right}, {Right, Left}, {Left, Right}, {Left, Left},
};

// Entries past NextFree are always (0, 0) in our lists, so zeroing the used slots leaves the
// same state as clearing all of them, at a fraction of the cost inside the hint search.
void ResetList(TCellList& list) {
    int32_t used = list.NextFree;
    if (used < 1 || used > TCellList::Capacity + 1) used = TCellList::Capacity + 1;
    for (int32_t i = 1; i < used; ++i) list.Slot[static_cast<size_t>(i)] = TCell{};
    list.NextFree = 1;
}

// A full list drops further cells instead of writing past its slots; only a board wider
// than any grade could fill one.
void AppendBounded(TCellList& list, TCell c) {
    if (list.NextFree <= TCellList::Capacity) list.Append(c);
}
}  // namespace

bool Engine::IsNeighbour(TCell a, TCell b) const {
    if (!InBoard(b)) return false;
    const int32_t dx = b.X - a.X;
    const int32_t dy = b.Y - a.Y;
    return (dy == 0 && (dx == 1 || dx == -1)) || (dx == 0 && (dy == 1 || dy == -1));
}

bool Engine::InBoard(TCell c) const {
    return c.X >= 0 && c.X <= colCount_ - 1 && c.Y >= 0 && c.Y <= rowCount_ - 1;
}

bool Engine::CellIsEmpty(TCell c) const {
    return At(c) == 0;
}

void Engine::ClearCellList(TCellList& list) {
    list.NextFree = 1;
    list.Slot.fill(TCell{});
}

bool Engine::BoardMatchesDimensions() const {
    if (colCount_ < 0 || rowCount_ < 0) return false;
    if (board_.size() != static_cast<size_t>(colCount_)) return false;
    for (const auto& column : board_) {
        if (column.size() != static_cast<size_t>(rowCount_)) return false;
    }
    return true;
}

bool Engine::CastRay(TCell start, TDirection dir, TCell target, TCellList& list) const {
    const auto d = static_cast<size_t>(dir);
    TCell c{start.X + StepX[d], start.Y + StepY[d]};
    while (InBoard(c)) {
        if (SameCell(c, target)) return true;
        if (!CellIsEmpty(c)) return false;
        AppendBounded(list, c);
        c.X += StepX[d];
        c.Y += StepY[d];
    }
    return false;
}

bool Engine::FindCommonCell(const TCellList& p, const TCellList& q, TCell& common) {
    for (int32_t i = 1; i < p.NextFree; ++i) {
        const TCell c = p.Slot[static_cast<size_t>(i)];
        for (int32_t j = 1; j < q.NextFree; ++j) {
            if (SameCell(c, q.Slot[static_cast<size_t>(j)])) {
                common = c;
                return true;
            }
        }
    }
    return false;
}

bool Engine::TwoCornersViaRows(const TCellList& fromA, const TCellList& fromB) {
    return TwoCorners(fromA, fromB, true);
}

bool Engine::TwoCornersViaColumns(const TCellList& fromA, const TCellList& fromB) {
    return TwoCorners(fromA, fromB, false);
}

// Joins a parallel ray of A and ray of B by a straight run of empty cells across them. The
// run through a cell c1 of A's ray can meet B's ray only in B's column (rows) or B's row
// (columns), so instead of listing the whole run we check that one cell and the cells between.
bool Engine::TwoCorners(const TCellList& fromA, const TCellList& fromB, bool viaRows) {
    if (!ListHasEntries(fromA) || !ListHasEntries(fromB)) return false;
    const TCell firstB = fromB.Slot[1];
    const TCell lastB = fromB.Slot[static_cast<size_t>(fromB.NextFree - 1)];
    for (int32_t i = 1; i < fromA.NextFree; ++i) {
        const TCell c1 = fromA.Slot[static_cast<size_t>(i)];
        // Where the run through c1 crosses B's ray, and whether that cell is on the ray.
        const TCell c2 = viaRows ? TCell{firstB.X, c1.Y} : TCell{c1.X, firstB.Y};
        const int32_t along = viaRows ? c1.Y : c1.X;
        const int32_t from = viaRows ? firstB.Y : firstB.X;
        const int32_t to = viaRows ? lastB.Y : lastB.X;
        if (along < std::min(from, to) || along > std::max(from, to)) continue;
        if (!EmptyBetween(c1, c2)) continue;
        linkPath_.Slot[3] = c2;
        linkPath_.Slot[4] = c1;
        return true;
    }
    return false;
}

bool Engine::EmptyBetween(TCell p, TCell q) const {
    const int32_t dx = (q.X > p.X) - (q.X < p.X);
    const int32_t dy = (q.Y > p.Y) - (q.Y < p.Y);
    for (TCell c{p.X + dx, p.Y + dy}; !SameCell(c, q); c.X += dx, c.Y += dy) {
        if (!CellIsEmpty(c)) return false;
    }
    return true;
}

bool Engine::CanLink(TCell a, TCell b) {
    // Cells outside the board, one cell twice or empty cells are no pair of tiles: callers
    // never pass them, and refusing them keeps a slip from reading outside the board or
    // "linking" a tile with itself.
    if (!BoardMatchesDimensions() || !InBoard(a) || !InBoard(b) || SameCell(a, b) || At(a) == 0) {
        ClearShapeFlags();
        return false;
    }
    return LinkTiles(a, b);
}

void Engine::ClearShapeFlags() {
    linkOneCorner_ = false;
    linkAdjacent_ = false;
    linkTwoCorners_ = false;
    linkStraight_ = false;
}

bool Engine::LinkTiles(TCell a, TCell b) {
    ClearShapeFlags();
    if (At(a) != At(b)) return false;

    if (IsNeighbour(a, b)) {
        linkPath_.Slot[1] = a;
        linkPath_.Slot[2] = b;
        linkAdjacent_ = true;
        return true;
    }

    for (size_t d = 0; d < 4; ++d) {
        ResetList(firstRays_[d]);
        ResetList(secondRays_[d]);
    }
    for (size_t d = 0; d < 4; ++d) {
        if (CastRay(a, static_cast<TDirection>(d), b, firstRays_[d])) {
            linkPath_.Slot[1] = a;
            linkPath_.Slot[2] = b;
            linkStraight_ = true;
            return true;
        }
    }
    for (size_t d = 0; d < 4; ++d) CastRay(b, static_cast<TDirection>(d), a, secondRays_[d]);

    for (const auto& [fromA, fromB] : OneCornerOrder) {
        const TCellList& p = firstRays_[fromA];
        const TCellList& q = secondRays_[fromB];
        if (!ListHasEntries(p) || !ListHasEntries(q)) continue;
        TCell corner;
        if (FindCommonCell(p, q, corner)) {
            linkPath_.Slot[1] = a;
            linkPath_.Slot[2] = corner;
            linkPath_.Slot[3] = b;
            linkOneCorner_ = true;
            return true;
        }
    }

    for (size_t k = 0; k < 8; ++k) {
        const auto [fromA, fromB] = TwoCornerOrder[k];
        const TCellList& p = firstRays_[fromA];
        const TCellList& q = secondRays_[fromB];
        if (!ListHasEntries(p) || !ListHasEntries(q)) continue;
        if (k < 4 ? TwoCornersViaRows(p, q) : TwoCornersViaColumns(p, q)) {
            linkPath_.Slot[1] = a;
            linkPath_.Slot[2] = b;
            linkTwoCorners_ = true;
            return true;
        }
    }
    return false;
}

std::vector<TCell> Engine::LinkPathCells() const {
    // A path with two corners keeps its tiles in slots 1 and 2, the corner on B's ray in 3
    // and the corner on A's ray in 4.
    static constexpr std::array<size_t, 4> TwoCornerPath{1, 4, 3, 2};
    int32_t points = 0;
    if (linkOneCorner_)
        points = 3;
    else if (linkAdjacent_ || linkStraight_)
        points = 2;
    else if (linkTwoCorners_)
        points = 4;
    std::vector<TCell> cells;
    if (points == 2 || points == 3) {
        for (size_t slot = 1; slot <= static_cast<size_t>(points); ++slot)
            cells.push_back(linkPath_.Slot[slot]);
    } else if (points == 4) {
        for (size_t slot : TwoCornerPath) cells.push_back(linkPath_.Slot[slot]);
    }
    return cells;
}

}  // namespace tessaly
