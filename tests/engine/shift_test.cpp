// Shifting the remaining tiles: worked lines for the modes, and for every mode on random
// boards the packing it promises, the tiles it must keep and the regions tiles never leave.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "tests/engine/board_setup.h"

namespace tessaly {
namespace {

using test::CellAt;

struct LineCase {
    int grade;
    uint8_t mode;
    bool column;  // a column (rows 1..maxY) or a row (columns 1..maxX)
    std::vector<int32_t> before, after;
};

class ShiftedLine : public ::testing::TestWithParam<LineCase> {};

TEST_P(ShiftedLine, EndsAsWorkedOut) {
    const LineCase& c = GetParam();
    Engine e(test::FixedSeed(1));
    test::SetGrade(e, c.grade);
    test::ClearBoard(e);
    auto cell = [&](size_t i) {
        const auto n = static_cast<int32_t>(i) + 1;
        return c.column ? TCell{2, n} : TCell{n, 2};
    };
    ASSERT_EQ(c.before.size(), static_cast<size_t>(c.column ? e.RowCount() - 2 : e.ColCount() - 2));
    for (size_t i = 0; i < c.before.size(); ++i) CellAt(e, cell(i)) = c.before[i];
    e.ShiftBoard(c.mode);
    std::vector<int32_t> got;
    for (size_t i = 0; i < c.before.size(); ++i) got.push_back(CellAt(e, cell(i)));
    EXPECT_EQ(got, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedLines, ShiftedLine,
    ::testing::Values(
        LineCase{0, 1, true, {5, 0, 7, 0, 9, 0}, {0, 0, 0, 5, 7, 9}},
        LineCase{0, 5, true, {5, 0, 0, 0, 0, 7}, {0, 0, 5, 7, 0, 0}},
        LineCase{1, 3, true, {0, 0, 5, 6, 0, 0, 0}, {5, 0, 0, 0, 0, 0, 6}},
        LineCase{1, 0, true, {0, 0, 5, 6, 0, 0, 0}, {0, 0, 5, 6, 0, 0, 0}},
        LineCase{0, 2, false, {0, 3, 0, 4, 0, 0, 0, 0, 8, 0}, {3, 4, 8, 0, 0, 0, 0, 0, 0, 0}},
        LineCase{0, 4, false, {0, 1, 0, 2, 0, 0, 3, 0, 4, 0}, {1, 2, 0, 0, 0, 0, 0, 0, 3, 4}},
        LineCase{0, 6, false, {0, 1, 0, 2, 0, 0, 3, 0, 4, 0}, {0, 0, 0, 1, 2, 3, 4, 0, 0, 0}},
        LineCase{0, 11, false, {0, 1, 0, 2, 0, 0, 3, 0, 4, 0}, {0, 1, 0, 2, 0, 0, 3, 0, 4, 0}}));

struct BoardCase {
    uint8_t mode;
    std::vector<std::string_view> before, after;
};

class ShiftedBoard : public ::testing::TestWithParam<BoardCase> {};

// The corner and quarter modes take two directions in a fixed order; on these boards the
// other order would leave every tile somewhere else.
TEST_P(ShiftedBoard, TakesItsStepsInOrder) {
    Engine e(test::FixedSeed(1));
    test::DrawBoard(e, GetParam().after);
    const TMyArray expected = e.Board();
    test::DrawBoard(e, GetParam().before);
    e.ShiftBoard(GetParam().mode);
    EXPECT_EQ(e.Board(), expected);
}

// 4 x 4 tiles inside the ring: the upper part is rows 1-2, the left part columns 1-2.
INSTANTIATE_TEST_SUITE_P(
    CornerAndQuarterModes, ShiftedBoard,
    ::testing::Values(
        BoardCase{7, {"...A", "B...", "...C", "D..."}, {"A...", "B...", "...C", "...D"}},
        BoardCase{8, {".AC.", "....", "....", "B..D"}, {"...C", "...D", "A...", "B..."}},
        BoardCase{9, {".A..", "B...", "...C", "..D."}, {"BA..", "....", "....", "..DC"}},
        BoardCase{10, {"A...", ".B..", "..C.", "...D"}, {"....", "AB..", "..CD", "...."}}),
    [](const auto& info) { return "Mode" + std::to_string(info.param.mode); });

// A segment of a row or column and the end its tiles must be packed toward.
struct Segment {
    TCell start;  // the end the tiles gather at
    int32_t dx, dy, length;
};

std::vector<int32_t> Values(const Engine& e, const Segment& s) {
    std::vector<int32_t> v;
    for (int32_t i = 0; i < s.length; ++i) {
        v.push_back(e.Board()[static_cast<size_t>(s.start.X + i * s.dx)]
                             [static_cast<size_t>(s.start.Y + i * s.dy)]);
    }
    return v;
}

bool Packed(const Engine& e, const Segment& s) {
    const auto v = Values(e, s);
    const auto firstEmpty = std::find(v.begin(), v.end(), 0);
    return std::all_of(firstEmpty, v.end(), [](int32_t x) { return x == 0; });
}

std::vector<int32_t> Tiles(const Engine& e, const Segment& s) {
    auto v = Values(e, s);
    v.erase(std::remove(v.begin(), v.end(), 0), v.end());
    return v;
}

// Segments of columns c0..c1 over rows r0..r1 (toward top or bottom), or of rows.
std::vector<Segment> Columns(int32_t c0, int32_t c1, int32_t r0, int32_t r1, bool towardTop) {
    std::vector<Segment> out;
    for (int32_t c = c0; c <= c1; ++c) {
        out.push_back(towardTop ? Segment{{c, r0}, 0, 1, r1 - r0 + 1}
                                : Segment{{c, r1}, 0, -1, r1 - r0 + 1});
    }
    return out;
}
std::vector<Segment> Rows(int32_t r0, int32_t r1, int32_t c0, int32_t c1, bool towardLeft) {
    std::vector<Segment> out;
    for (int32_t r = r0; r <= r1; ++r) {
        out.push_back(towardLeft ? Segment{{c0, r}, 1, 0, c1 - c0 + 1}
                                 : Segment{{c1, r}, -1, 0, c1 - c0 + 1});
    }
    return out;
}
void Add(std::vector<Segment>& to, const std::vector<Segment>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// What each mode promises: the segments that end packed, whether the tiles keep their order
// along them (one packing step), and the regions no tile leaves.
struct Promise {
    std::vector<Segment> packed;
    bool keepsOrder = false;
    bool splitRows = false, splitCols = false;
};

Promise PromiseOf(const Engine& e, uint8_t mode) {
    const int32_t maxX = e.ColCount() - 2, maxY = e.RowCount() - 2, midX = maxX / 2,
                  midY = maxY / 2;
    Promise p;
    auto& s = p.packed;
    switch (mode) {
        case 1:
            Add(s, Columns(1, maxX, 1, maxY, false));
            p.keepsOrder = true;
            break;
        case 2:
            Add(s, Rows(1, maxY, 1, maxX, true));
            p.keepsOrder = true;
            break;
        case 3:
        case 5:
            Add(s, Columns(1, maxX, 1, midY, mode == 3));
            Add(s, Columns(1, maxX, midY + 1, maxY, mode != 3));
            p.keepsOrder = p.splitRows = true;
            break;
        case 4:
        case 6:
            Add(s, Rows(1, maxY, 1, midX, mode == 4));
            Add(s, Rows(1, maxY, midX + 1, maxX, mode != 4));
            p.keepsOrder = p.splitCols = true;
            break;
        case 7:
            Add(s, Rows(1, midY, 1, maxX, true));
            Add(s, Columns(1, maxX, 1, midY, true));
            Add(s, Rows(midY + 1, maxY, 1, maxX, false));
            Add(s, Columns(1, maxX, midY + 1, maxY, false));
            p.splitRows = true;
            break;
        case 8:
            Add(s, Rows(1, maxY, 1, midX, true));
            Add(s, Columns(1, midX, 1, maxY, false));
            Add(s, Rows(1, maxY, midX + 1, maxX, false));
            Add(s, Columns(midX + 1, maxX, 1, maxY, true));
            p.splitCols = true;
            break;
        case 9:
        case 10:
            Add(s, Columns(1, maxX, 1, midY, mode == 9));
            Add(s, Columns(1, maxX, midY + 1, maxY, mode != 9));
            Add(s, Rows(1, maxY, 1, midX, mode == 9));
            Add(s, Rows(1, maxY, midX + 1, maxX, mode != 9));
            p.splitRows = p.splitCols = true;
            break;
        default:
            break;
    }
    return p;
}

// The sorted kinds in each region: the whole interior cut at the middle row and/or column.
std::vector<std::vector<int32_t>> RegionKinds(const Engine& e, bool splitRows, bool splitCols) {
    const int32_t maxX = e.ColCount() - 2, maxY = e.RowCount() - 2;
    std::vector<std::vector<int32_t>> regions(4);
    for (int32_t c = 1; c <= maxX; ++c) {
        for (int32_t r = 1; r <= maxY; ++r) {
            const int32_t v = e.Board()[static_cast<size_t>(c)][static_cast<size_t>(r)];
            if (v == 0) continue;
            const size_t lower = splitRows && r > maxY / 2;
            const size_t right = splitCols && c > maxX / 2;
            regions[lower * 2 + right].push_back(v);
        }
    }
    for (auto& r : regions) std::sort(r.begin(), r.end());
    return regions;
}

TEST(ShiftBoard, EveryModeKeepsItsPromiseOnRandomBoards) {
    std::mt19937 rng(11);
    for (int n = 0; n < 200; ++n) {
        Engine e(test::FixedSeed(1));
        test::SetGrade(e, n % 4);
        test::ClearBoard(e);
        std::bernoulli_distribution occupied(std::uniform_real_distribution<double>(0, 1)(rng));
        for (int32_t c = 1; c <= e.ColCount() - 2; ++c) {
            for (int32_t r = 1; r <= e.RowCount() - 2; ++r) {
                if (occupied(rng)) CellAt(e, {c, r}) = static_cast<int32_t>(rng() % 45) + 1;
            }
        }
        const TMyArray original = e.Board();
        for (uint8_t mode = 0; mode <= 12; ++mode) {
            EngineTestAccess::Board(e) = original;
            const Promise p = PromiseOf(e, mode);
            const auto regions = RegionKinds(e, p.splitRows, p.splitCols);
            std::vector<std::vector<int32_t>> order;
            for (const Segment& s : p.packed) order.push_back(Tiles(e, s));

            e.ShiftBoard(mode);
            SCOPED_TRACE(::testing::Message() << "board " << n << " mode " << int(mode));
            if (mode == 0 || mode > 10) {
                ASSERT_EQ(e.Board(), original);
                continue;
            }
            ASSERT_EQ(RegionKinds(e, p.splitRows, p.splitCols), regions);
            for (size_t i = 0; i < p.packed.size(); ++i) {
                ASSERT_TRUE(Packed(e, p.packed[i])) << "segment " << i;
                if (p.keepsOrder) {
                    ASSERT_EQ(Tiles(e, p.packed[i]), order[i]);
                }
            }
            ASSERT_EQ(test::RingTiles(e), 0);
            const TMyArray once = e.Board();
            e.ShiftBoard(mode);
            ASSERT_EQ(e.Board(), once) << "a second shift moved tiles again";
        }
    }
}

TEST(ShiftBoard, BoardThatDoesNotMatchItsDimensionsIsLeftAlone) {
    Engine e(test::FixedSeed(1));
    test::SetGrade(e, 0);
    for (uint8_t mode = 0; mode <= 10; ++mode) e.ShiftBoard(mode);  // before the first game
    EXPECT_TRUE(e.Board().empty());
}

}  // namespace
}  // namespace tessaly
