// The window on a desktop scaled to 200 %: the layout keeps its logical pixels while texts,
// lines and tiles are drawn at the screen's own resolution. A process of its own, since Qt fixes
// the scale when the application starts.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include "form_fixture.h"

namespace tessaly::test {
namespace {

using ScaledScreen = FormTest;

TEST_F(ScaledScreen, SurfaceIsDrawnAtTheScreensResolution) {
    // A tile with a sharp edge down its middle shows how it was stretched.
    const QColor left(0, 0, 200), right(200, 200, 0);
    QImage split = SolidCell(left);
    QPainter(&split).fillRect(25, 0, 25, 50, right);
    folder.Write("pic1/7.bmp", split);
    form->show();
    game().Command(MenuItemId::MenuGameLow);
    ASSERT_EQ(form->devicePixelRatioF(), 2.0);

    const QImage& s = surface();
    EXPECT_EQ(client(), QSize(600, 430));
    EXPECT_EQ(s.size(), QSize(2 * 598, 2 * 409));
    // The frame's outline is one logical pixel; the fill starts right after it.
    for (const QPoint& at : {QPoint(900, 20), QPoint(901, 21)}) {
        EXPECT_EQ(s.pixelColor(at), QColor(255, 255, 0));
    }
    EXPECT_EQ(s.pixelColor(902, 22), QColor(255, 0, 0));

    EngineTestAccess::Board(engine())[3][2] = 7;
    form->DrawCell(3, 2);
    const int x = 2 * ColToX(3), y = 2 * RowToY(2);
    EXPECT_EQ(s.pixelColor(x, y), left);
    EXPECT_EQ(s.pixelColor(x + 99, y + 99), right);
    for (int seam : {x + 49, x + 50}) {  // stretched smoothly, not by repeating pixels
        EXPECT_NE(s.pixelColor(seam, y + 50), left);
        EXPECT_NE(s.pixelColor(seam, y + 50), right);
    }
    form->DrawMarkedCell(3, 2);  // the blend covers the whole cell at the screen's resolution
    const QColor empty = ResourceFolder::Background(1);
    EXPECT_NEAR(s.pixelColor(x + 99, y + 99).red(), (140 * 200 + 115 * empty.red()) / 255, 1);
    EXPECT_NEAR(s.pixelColor(x, y).blue(), (140 * 200 + 115 * empty.blue()) / 255, 1);

    // What reaches the screen: the surface pixel for pixel, with texts drawn at its resolution,
    // so that some 2 x 2 blocks of the information line are not of one colour.
    const QImage shown = Ui::MainPaintBox(*form)->grab().toImage().convertToFormat(s.format());
    ASSERT_EQ(shown.size(), s.size());
    EXPECT_EQ(shown.pixelColor(900, 20), s.pixelColor(900, 20));
    EXPECT_EQ(shown.pixelColor(x + 99, y + 99), s.pixelColor(x + 99, y + 99));
    int mixedBlocks = 0;
    for (int by = 20; by < 58; by += 2) {
        for (int bx = 100; bx < 880; bx += 2) {
            const QRgb p = shown.pixel(bx, by);
            mixedBlocks += shown.pixel(bx + 1, by) != p || shown.pixel(bx, by + 1) != p ||
                           shown.pixel(bx + 1, by + 1) != p;
        }
    }
    EXPECT_GT(mixedBlocks, 100);
}

TEST_F(ScaledScreen, SurfaceLeftFromAScreenOfAnotherRatioIsRedrawnAtThisOne) {
    form->show();
    game().Command(MenuItemId::MenuGameLow);
    QImage old(598, 409, QImage::Format_RGB32);  // as drawn on a screen at 100 %
    old.fill(Qt::gray);
    surface() = old;
    Ui::MainPaintBox(*form)->repaint();
    Settle();
    EXPECT_EQ(surface().devicePixelRatio(), 2.0);
    EXPECT_EQ(surface().size(), QSize(2 * 598, 2 * 409));
    EXPECT_EQ(surface().pixelColor(900, 20), QColor(255, 255, 0));  // a full redraw followed
}

// A press on a tile's last device pixel lies half a logical pixel short of the next tile.
TEST_F(ScaledScreen, PressOnATilesLastDevicePixelSelectsThatTile) {
    form->show();
    game().Command(MenuItemId::MenuGameLow);
    QList<QPoint> cells;
    MainPaintBox* box = Ui::MainPaintBox(*form);
    box->SetOnMouseDown([&](int x, int y) { cells << QPoint(XToCol(x), YToRow(y)); });
    QList<QPoint> tiles;
    for (int col = 1; col < engine().ColCount() - 1; ++col) {
        for (int row = 1; row < engine().RowCount() - 1; ++row) {
            tiles << QPoint(col, row);
            const QPointF last(ColToX(col) + 49.5, RowToY(row) + 49.5);
            QMouseEvent press(QEvent::MouseButtonPress, last, box->mapToGlobal(last),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(box, &press);
        }
    }
    EXPECT_EQ(cells, tiles);
}

}  // namespace
}  // namespace tessaly::test

int main(int argc, char* argv[]) {
    // Test discovery runs this binary at build time, where there is no display.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
