// Reaches past the engine's public face for tests: the state a test sets up by hand, what the
// last link test left behind, and the link test's building blocks.
#pragma once

#include "engine/engine.h"

namespace tessaly {

struct EngineTestAccess {
    using E = Engine;
    static TMyArray& Board(E& e) { return e.board_; }
    static int32_t& ColCount(E& e) { return e.colCount_; }
    static int32_t& RowCount(E& e) { return e.rowCount_; }
    static int32_t& KindCount(E& e) { return e.kindCount_; }
    static uint32_t Seed(const E& e) { return e.seed_; }

    static const TCellList& LinkPath(const E& e) { return e.linkPath_; }
    static bool LinkAdjacent(const E& e) { return e.linkAdjacent_; }
    static bool LinkStraight(const E& e) { return e.linkStraight_; }
    static bool LinkOneCorner(const E& e) { return e.linkOneCorner_; }
    static bool LinkTwoCorners(const E& e) { return e.linkTwoCorners_; }
    // How many shape flags are set: one after a link, none after a refusal.
    static int ShapeFlags(const E& e) {
        return e.linkAdjacent_ + e.linkStraight_ + e.linkOneCorner_ + e.linkTwoCorners_;
    }

    static const auto& FirstRays(const E& e) { return e.firstRays_; }
    static bool HasEntries(const TCellList& list) { return E::ListHasEntries(list); }
    static void Clear(TCellList& list) { E::ClearCellList(list); }
    static bool CastRay(const E& e, TCell from, TDirection d, TCell to, TCellList& list) {
        return e.CastRay(from, d, to, list);
    }
    static bool IsNeighbour(const E& e, TCell a, TCell b) { return e.IsNeighbour(a, b); }
    static bool TwoCorners(E& e, const TCellList& a, const TCellList& b, bool viaRows) {
        return viaRows ? e.TwoCornersViaRows(a, b) : e.TwoCornersViaColumns(a, b);
    }
};

}  // namespace tessaly
