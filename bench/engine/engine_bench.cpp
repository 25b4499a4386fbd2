// Speed of the link test, the hint search and board set-up, with the breadth-first reference
// on the same inputs for comparison. Run from a release build.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "tests/engine/board_setup.h"
#include "tests/engine/link_reference.h"

namespace tessaly {
namespace {

using reference::TurnSearch;
using test::CellAt;
using Pair = std::pair<TCell, TCell>;

void Require(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "benchmark set-up failed: %s\n", what);
    std::exit(1);
}

// A largest-grade board played halfway by removing the pairs the hint search finds, and
// every ordered pair of equal tiles left on it: the pairs a player clicks in mid-game.
struct MidGame {
    Engine engine{test::FixedSeed(2026)};
    std::vector<Pair> pairs;
    MidGame() {
        test::SetGrade(engine, 3);
        engine.GenerateBoard();
        TCell p, q;
        for (int removed = 0; removed < 36;) {
            if (!engine.FindLinkablePair(p, q)) {
                engine.RearrangeBoard();
                continue;
            }
            CellAt(engine, p) = 0;
            CellAt(engine, q) = 0;
            ++removed;
        }
        for (int32_t i = 1; i <= 16; ++i) {
            for (int32_t j = 1; j <= 9; ++j) {
                for (int32_t k = 1; k <= 16; ++k) {
                    for (int32_t l = 1; l <= 9; ++l) {
                        const TCell a{i, j}, b{k, l};
                        if (a == b || CellAt(engine, a) == 0) continue;
                        if (CellAt(engine, a) == CellAt(engine, b)) pairs.emplace_back(a, b);
                    }
                }
            }
        }
        Require(!pairs.empty(), "no equal pairs in mid-game");
    }
};

// A pair with long rays on both sides whose every candidate fails: both one-turn corners and
// the row between them are blocked, so the test tries all sixteen pairs of rays.
struct WorstPair {
    Engine engine{test::FixedSeed(1)};
    TCell a{5, 5}, b{12, 3};
    WorstPair() {
        test::SetGrade(engine, 3);
        test::ClearBoard(engine);
        CellAt(engine, a) = 1;
        CellAt(engine, b) = 1;
        CellAt(engine, {5, 3}) = 2;
        CellAt(engine, {12, 5}) = 2;
        for (int32_t c = 6; c <= 11; ++c) CellAt(engine, {c, 4}) = 2;
        TurnSearch ref;
        Require(!ref.Links(engine.Board(), a, b), "the worst pair links");
    }
};

void BM_CanLinkMidGame(benchmark::State& state) {
    MidGame g;
    size_t i = 0;
    for (auto _ : state) {
        const auto& [a, b] = g.pairs[i];
        benchmark::DoNotOptimize(g.engine.CanLink(a, b));
        i = i + 1 == g.pairs.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_CanLinkMidGame);

void BM_ReferenceMidGame(benchmark::State& state) {
    MidGame g;
    TurnSearch ref;
    size_t i = 0;
    for (auto _ : state) {
        const auto& [a, b] = g.pairs[i];
        benchmark::DoNotOptimize(ref.Links(g.engine.Board(), a, b));
        i = i + 1 == g.pairs.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_ReferenceMidGame);

void BM_CanLinkWorstPair(benchmark::State& state) {
    WorstPair w;
    for (auto _ : state) benchmark::DoNotOptimize(w.engine.CanLink(w.a, w.b));
}
BENCHMARK(BM_CanLinkWorstPair);

void BM_ReferenceWorstPair(benchmark::State& state) {
    WorstPair w;
    TurnSearch ref;
    for (auto _ : state) benchmark::DoNotOptimize(ref.Links(w.engine.Board(), w.a, w.b));
}
BENCHMARK(BM_ReferenceWorstPair);

Engine NewBoard() {
    Engine e(test::FixedSeed(4242));
    test::SetGrade(e, 3);
    e.GenerateBoard();
    TCell p, q;
    while (!e.FindLinkablePair(p, q)) e.RearrangeBoard();
    return e;
}

Engine FullDeadBoard() {
    Engine e(test::FixedSeed(1));
    test::DrawDeadFullBoard(e);
    return e;
}

// Two thirds full with long rays: every pair the search finds gets a kind of its own until
// none is left, so the equal tiles that remain are all blocked.
Engine OpenDeadBoard() {
    Engine e(test::FixedSeed(99));
    test::SetGrade(e, 3);
    e.SetDimensions(e.ColCount(), e.RowCount(), 30);
    e.GenerateBoard();
    int n = 0;
    for (int32_t c = 1; c <= 16; ++c) {
        for (int32_t r = 1; r <= 9; ++r) {
            if (++n % 3 == 0) CellAt(e, {c, r}) = 0;
        }
    }
    TCell p, q;
    for (int32_t unique = 100; e.FindLinkablePair(p, q); ++unique) CellAt(e, q) = unique;
    return e;
}

template <Engine (*MakeBoard)(), bool Linkable>
void BM_FindLinkablePair(benchmark::State& state) {
    Engine e = MakeBoard();
    TCell p, q;
    Require(e.FindLinkablePair(p, q) == Linkable, "board is not as named");
    for (auto _ : state) benchmark::DoNotOptimize(e.FindLinkablePair(p, q));
}
BENCHMARK(BM_FindLinkablePair<NewBoard, true>)->Name("BM_FindLinkablePair/NewBoard");
BENCHMARK(BM_FindLinkablePair<FullDeadBoard, false>)->Name("BM_FindLinkablePair/FullDeadBoard");
BENCHMARK(BM_FindLinkablePair<OpenDeadBoard, false>)->Name("BM_FindLinkablePair/OpenDeadBoard");

// The hint search's scan answered by the reference.
template <Engine (*MakeBoard)()>
void BM_ReferenceFindPair(benchmark::State& state) {
    Engine e = MakeBoard();
    TurnSearch ref;
    for (auto _ : state) {
        TCell p, q;
        benchmark::DoNotOptimize(ref.FirstPair(e.Board(), p, q));
    }
}
BENCHMARK(BM_ReferenceFindPair<NewBoard>)->Name("BM_ReferenceFindPair/NewBoard");
BENCHMARK(BM_ReferenceFindPair<FullDeadBoard>)->Name("BM_ReferenceFindPair/FullDeadBoard");
BENCHMARK(BM_ReferenceFindPair<OpenDeadBoard>)->Name("BM_ReferenceFindPair/OpenDeadBoard");

// A new game's board: generation, shuffle, and rearranging until a move exists.
void BM_GenerateAndSetUp(benchmark::State& state) {
    uint32_t seed = 1;
    Engine e([&seed] { return seed++; });
    test::SetGrade(e, 3);
    TCell p, q;
    for (auto _ : state) {
        e.GenerateBoard();
        while (!e.FindLinkablePair(p, q)) e.RearrangeBoard();
        benchmark::DoNotOptimize(e.Board());
    }
}
BENCHMARK(BM_GenerateAndSetUp);

}  // namespace
}  // namespace tessaly

BENCHMARK_MAIN();
