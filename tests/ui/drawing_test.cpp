// What the drawing operations leave on the board surface, pixel by pixel.
#include <QTest>

#include "form_fixture.h"

namespace tessaly::test {
namespace {

using Drawing = FormTest;

const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);

QPoint CellCentre(int col, int row) {
    return {ColToX(col) + 25, RowToY(row) + 25};
}

TEST_F(Drawing, TimeBarFrameAndFillAtGradeZero) {
    session().MenuGameLowClick();
    QImage& s = surface();
    // Frame 450..549 x 10..29, fill 451..548 x 11..28 at full time.
    EXPECT_EQ(s.pixelColor(450, 10), Yellow);
    EXPECT_EQ(s.pixelColor(549, 29), Yellow);
    EXPECT_EQ(s.pixelColor(451, 10), Yellow);
    EXPECT_EQ(s.pixelColor(451, 11), Red);
    EXPECT_EQ(s.pixelColor(548, 28), Red);
    EXPECT_EQ(s.pixelColor(550, 20), Black);

    session().TimeLeft = 50;
    form->DrawTimeBar();
    EXPECT_EQ(s.pixelColor(498, 20), Red);
    EXPECT_EQ(s.pixelColor(499, 20), Black);  // the interior shows the background colour
    EXPECT_EQ(s.pixelColor(549, 20), Yellow);

    session().TimeLeft = 0;  // an empty fill leaves the interior alone
    form->DrawTimeBar();
    EXPECT_EQ(s.pixelColor(451, 20), Black);
    EXPECT_EQ(s.pixelColor(450, 20), Yellow);
}

TEST_F(Drawing, TimeBarAtGradeThreeRunsToTheRightOfTheWiderWindow) {
    session().MenuGameSpecialClick();
    QImage& s = surface();
    EXPECT_EQ(client().width(), 900);
    EXPECT_EQ(s.pixelColor(849, 10), Yellow);
    EXPECT_EQ(s.pixelColor(848, 20), Red);
    EXPECT_EQ(s.pixelColor(850, 20), Black);
    session().TimeLeft = 37;  // 4 pixels a unit
    form->DrawTimeBar();
    EXPECT_EQ(s.pixelColor(596, 20), Red);
    EXPECT_EQ(s.pixelColor(597, 20), Black);
    EXPECT_EQ(s.pixelColor(849, 20), Yellow);
}

TEST_F(Drawing, FullRedrawShowsTilesAndTheEmptyPictureOnTheBorderRing) {
    session().MenuGameMediumClick();
    const QImage& s = surface();
    const QColor empty = ResourceFolder::Background(1);
    for (int col = 0; col < engine().ColCount; ++col) {
        EXPECT_EQ(s.pixelColor(CellCentre(col, 0)), empty) << col;
    }
    for (int row = 0; row < engine().RowCount - 1; ++row) {
        EXPECT_EQ(s.pixelColor(CellCentre(0, row)), empty) << row;
        EXPECT_EQ(s.pixelColor(ColToX(13) + 25, RowToY(row) + 25), empty) << row;
    }
    // The bottom ring row is only partly visible above the status bar.
    EXPECT_EQ(s.pixelColor(ColToX(5) + 10, s.height() - 1), empty);
    for (int col = 1; col < engine().ColCount - 1; ++col) {
        for (int row = 1; row < engine().RowCount - 1; ++row) {
            EXPECT_EQ(s.pixelColor(CellCentre(col, row)),
                      ResourceFolder::Tile(engine().Board[col][row]))
                << col << "," << row;
        }
    }
}

TEST_F(Drawing, MarkedCellIsTheTileBlended140Over255OnTheEmptyPicture) {
    session().MenuGameLowClick();
    engine().Board[3][2] = 7;
    form->DrawMarkedCell(3, 2);
    const QColor tile = ResourceFolder::Tile(7);
    const QColor empty = ResourceFolder::Background(1);
    auto blend = [](int t, int e) { return (140 * t + 115 * e + 127) / 255; };
    for (QPoint at :
         {QPoint(ColToX(3), RowToY(2)), CellCentre(3, 2), QPoint(ColToX(3) + 49, RowToY(2) + 49)}) {
        const QColor got = surface().pixelColor(at);
        EXPECT_NEAR(got.red(), blend(tile.red(), empty.red()), 1);
        EXPECT_NEAR(got.green(), blend(tile.green(), empty.green()), 1);
        EXPECT_NEAR(got.blue(), blend(tile.blue(), empty.blue()), 1);
    }
    form->DrawCell(3, 2);  // drawn again: unmarked
    EXPECT_EQ(surface().pixelColor(CellCentre(3, 2)), tile);
    // A cell off the board is the caller's mistake; it must not bring the window down.
    EXPECT_NO_THROW(form->DrawMarkedCell(-1, 0));
    EXPECT_NO_THROW(form->DrawCell(12, 3));
}

TEST_F(Drawing, LinkPathIsARedLineThroughCellCentresThatErasesToTheBackground) {
    session().MenuGameLowClick();
    TCellList& path = engine().LinkPath;
    path.Slot[1] = {1, 1};
    path.Slot[2] = {4, 1};  // n = 3: first cell, corner, second cell
    path.Slot[3] = {4, 3};
    form->DrawLinkPath(3, true);
    const QImage& s = surface();
    EXPECT_EQ(s.pixelColor(ColToX(2) + 25, RowToY(1) + 25), Red);      // along the top leg
    EXPECT_EQ(s.pixelColor(ColToX(4) + 25, RowToY(2) + 25), Red);      // down the second leg
    EXPECT_EQ(s.pixelColor(ColToX(4) + 25 + 2, RowToY(2) + 25), Red);  // 5 pixels wide
    EXPECT_NE(s.pixelColor(ColToX(4) + 25 + 3, RowToY(2) + 25), Red);
    EXPECT_NE(s.pixelColor(ColToX(2) + 25, RowToY(2) + 25), Red);  // not the diagonal

    form->DrawLinkPath(3, false);
    EXPECT_EQ(s.pixelColor(ColToX(2) + 25, RowToY(1) + 25), Black);

    path.Slot[4] = {1, 3};  // n = 4 runs slot 1, 4, 3, 2
    form->DrawLinkPath(4, true);
    EXPECT_EQ(s.pixelColor(ColToX(1) + 25, RowToY(2) + 25), Red);
    form->MainPaintBoxPaint();
    EXPECT_EQ(s.pixelColor(ColToX(1) + 25, RowToY(2) + 25),
              ResourceFolder::Tile(engine().Board[1][2]));
}

TEST_F(Drawing, InformationLineIsYellowTextOnTheTopStrip) {
    session().MenuGameLowClick();
    const QImage& s = surface();
    auto yellowIn = [&](int left, int right) {
        int count = 0;
        for (int x = left; x < right; ++x) {
            for (int y = 0; y < 30; ++y) count += s.pixelColor(x, y) == Yellow;
        }
        return count;
    };
    EXPECT_EQ(yellowIn(0, 50), 0);
    for (int item : {50, 140, 260, 330, 400}) EXPECT_GT(yellowIn(item, item + 30), 10) << item;
}

TEST_F(Drawing, CuesPlayFromTheSoundFolderOnlyWhileSoundIsOn) {
    folder.WriteBytes("Sound/Select.wav", QByteArray("RIFF"));
    form->SetMenuChecked(MenuItemId::MenuOptionSound, false);
    form->PlayCue("Select");
    EXPECT_TRUE(form->cuePlayer().source().isEmpty());
    form->SetMenuChecked(MenuItemId::MenuOptionSound, true);
    form->PlayCue("Select");
    EXPECT_EQ(form->cuePlayer().source().toLocalFile(), folder.Path("Sound/Select.wav"));
    form->PlayCue("NULL");  // stops; never waits on the sound
}

}  // namespace
}  // namespace tessaly::test
