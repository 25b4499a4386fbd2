// Pixel <-> cell mapping, colour numbers, names and the selection stack.
#include <gtest/gtest.h>

#include "tests/engine/board_setup.h"

namespace tessaly {
namespace {

TEST(Geometry, PixelsMapToCellsWithTheWideFirstColumnAndRow) {
    const std::pair<int32_t, int32_t> cols[] = {{0, 0},  {1, 1},   {49, 1},  {50, 1},
                                                {99, 1}, {100, 2}, {597, 11}};
    for (auto [x, col] : cols) EXPECT_EQ(XToCol(x), col) << "x = " << x;
    const std::pair<int32_t, int32_t> rows[] = {{0, 0},  {30, 0},  {31, 1},  {79, 1},
                                                {80, 1}, {129, 1}, {130, 2}, {408, 7}};
    for (auto [y, row] : rows) EXPECT_EQ(YToRow(y), row) << "y = " << y;
}

TEST(Geometry, TopLeftPixelOfEveryCellMapsBackToTheCell) {
    for (int32_t c = 0; c < 18; ++c) {
        EXPECT_EQ(ColToX(c), 50 * c);
        EXPECT_EQ(XToCol(ColToX(c)), c);
        EXPECT_EQ(XToCol(ColToX(c) + 49), c == 0 ? 1 : c) << "right edge of column " << c;
    }
    for (int32_t r = 0; r < 11; ++r) {
        EXPECT_EQ(RowToY(r), 50 * r + 30);
        EXPECT_EQ(YToRow(RowToY(r)), r);
    }
}

TEST(Colours, NumbersAndColoursRoundTripAndUnknownsFallBack) {
    // 0x00BBGGRR: black, maroon, green, olive, navy, purple, teal, grey, silver, red, lime,
    // yellow, blue, fuchsia, aqua.
    const uint32_t table[15] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000,
                                0x800080, 0x808000, 0x808080, 0xC0C0C0, 0x0000FF,
                                0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00};
    for (int32_t n = 1; n <= 15; ++n) {
        EXPECT_EQ(IndexToColor(n), table[n - 1]) << "number " << n;
        EXPECT_EQ(ColorToIndex(table[n - 1]), n);
    }
    EXPECT_EQ(IndexToColor(0), 0x000000u);
    EXPECT_EQ(IndexToColor(16), 0x000000u);
    EXPECT_EQ(IndexToColor(-3), 0x000000u);
    EXPECT_EQ(ColorToIndex(0x000001), 1);
    EXPECT_EQ(ColorToIndex(0x000000), 1);
}

TEST(Names, GradesAndModesHaveTheirTextsAndUnknownValuesChangeNothing) {
    const char* grades[] = {"初级", "中级", "高级", "特级"};
    std::string text;
    for (int32_t g = 0; g < 4; ++g) {
        DifficultyName(g, text);
        EXPECT_EQ(text, grades[g]);
    }
    text = "keep";
    DifficultyName(4, text);
    DifficultyName(-1, text);
    EXPECT_EQ(text, "keep");

    const char* modes[] = {"不变化",   "向下",     "向左",     "上下分离", "左右分离", "上下集中",
                           "左右集中", "上左下右", "左下右上", "向外扩散", "向内集中"};
    for (uint8_t m = 0; m <= 10; ++m) {
        ShiftModeName(m, text);
        EXPECT_EQ(text, modes[m]);
    }
    text = "keep";
    ShiftModeName(11, text);
    ShiftModeName(255, text);
    EXPECT_EQ(text, "keep");
}

TEST(SelectionStack, HoldsCellsLastInFirstOut) {
    Engine e(test::FixedSeed(1));
    e.InitStack();
    EXPECT_TRUE(e.StackIsEmpty());
    e.PushCell({3, 4});
    EXPECT_FALSE(e.StackIsEmpty());
    EXPECT_EQ(e.PeekCell(), (TCell{3, 4}));
    e.PushCell({5, 6});
    EXPECT_EQ(e.PopCell(), (TCell{5, 6}));
    EXPECT_EQ(e.PopCell(), (TCell{3, 4}));
    EXPECT_TRUE(e.StackIsEmpty());
    e.PushCell({1, 1});
    e.InitStack();
    EXPECT_TRUE(e.StackIsEmpty());
}

// The game never does this; the stack must still not write or read outside its slots.
TEST(SelectionStack, OverfullPushAndEmptyPopStayInsideTheSlots) {
    Engine e(test::FixedSeed(1));
    e.InitStack();
    EXPECT_EQ(e.PopCell(), (TCell{}));
    EXPECT_TRUE(e.StackIsEmpty());
    for (int32_t i = 1; i <= 12; ++i) e.PushCell({i, i});
    EXPECT_EQ(e.PeekCell(), (TCell{10, 10}));
    for (int i = 0; i < 10; ++i) e.PopCell();
    EXPECT_TRUE(e.StackIsEmpty());
}

}  // namespace
}  // namespace tessaly
