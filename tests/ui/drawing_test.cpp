// What the drawing operations leave on the board surface, pixel by pixel.
#include <QPainter>
#include <QTest>
#include <algorithm>

#include "colour_figures.h"
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

QColor ColorOf(uint32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

struct Strip {
    QColor panel, text, fill;
    QStringList items;  // the five final texts
    int grade = 1;      // Difficulty + 1
    int time = 100;
};

// The top strip as the design states it: the panel's colour, where the five texts and the time
// bar do not cover it.
QImage ExpectedStrip(const MainForm& form, int width, const Strip& strip) {
    QImage image(width, 30, QImage::Format_RGB32);
    image.fill(strip.panel);
    QPainter painter(&image);
    QFont font = form.font();
    font.setPointSize(10);
    painter.setFont(font);
    painter.setPen(strip.text);
    const int xs[] = {50, 140, 260, 330, 400};
    for (int i = 0; i < 5; ++i) {
        const QString& text = strip.items[i];
        const QRect cell(xs[i], 10, painter.fontMetrics().horizontalAdvance(text),
                         painter.fontMetrics().height());
        painter.fillRect(cell, strip.panel);
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }
    const int right = 450 + 100 * strip.grade;
    painter.fillRect(450, 10, right - 450, 20, strip.text);
    painter.fillRect(451, 11, right - 452, 18, strip.panel);
    if (strip.grade * strip.time > 2) {
        painter.fillRect(451, 11, strip.grade * strip.time - 2, 18, strip.fill);
    }
    return image;
}

// Empty when the surface's top strip is the expected one, else the first pixel that differs.
std::string StripDifference(const QImage& surface, const QImage& expected) {
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (surface.pixel(x, y) != expected.pixel(x, y)) {
                return QStringLiteral("(%1,%2) is %3, not %4")
                    .arg(x)
                    .arg(y)
                    .arg(QColor(surface.pixel(x, y)).name(), QColor(expected.pixel(x, y)).name())
                    .toStdString();
            }
        }
    }
    return {};
}

TEST_F(Drawing, TimeBarFrameAndFillAtGradeZero) {
    game().Command(MenuItemId::MenuGameLow);
    QImage& s = surface();
    // Frame 450..549 x 10..29, fill 451..548 x 11..28 at full time.
    EXPECT_EQ(s.pixelColor(450, 10), Yellow);
    EXPECT_EQ(s.pixelColor(549, 29), Yellow);
    EXPECT_EQ(s.pixelColor(451, 10), Yellow);
    EXPECT_EQ(s.pixelColor(451, 11), Red);
    EXPECT_EQ(s.pixelColor(548, 28), Red);
    EXPECT_EQ(s.pixelColor(550, 20), Black);

    state().TimeLeft = 50;
    form->DrawTimeBar();
    EXPECT_EQ(s.pixelColor(498, 20), Red);
    EXPECT_EQ(s.pixelColor(499, 20), Black);  // the interior shows the background colour
    EXPECT_EQ(s.pixelColor(549, 20), Yellow);

    state().TimeLeft = 0;  // an empty fill leaves the interior alone
    form->DrawTimeBar();
    EXPECT_EQ(s.pixelColor(451, 20), Black);
    EXPECT_EQ(s.pixelColor(450, 20), Yellow);
}

TEST_F(Drawing, TimeBarAtGradeThreeRunsToTheRightOfTheWiderWindow) {
    game().Command(MenuItemId::MenuGameSpecial);
    QImage& s = surface();
    EXPECT_EQ(client().width(), 900);
    EXPECT_EQ(s.pixelColor(849, 10), Yellow);
    EXPECT_EQ(s.pixelColor(848, 20), Red);
    EXPECT_EQ(s.pixelColor(850, 20), Black);
    state().TimeLeft = 37;  // 4 pixels a unit
    form->DrawTimeBar();
    EXPECT_EQ(s.pixelColor(596, 20), Red);
    EXPECT_EQ(s.pixelColor(597, 20), Black);
    EXPECT_EQ(s.pixelColor(849, 20), Yellow);
}

TEST_F(Drawing, FullRedrawShowsTilesAndTheEmptyPictureOnTheBorderRing) {
    // Odd kinds in a depth that Qt's reader draws, even ones straight from the file.
    for (int k = 1; k <= 45; k += 2) {
        folder.Write(QStringLiteral("pic1/%1.bmp").arg(k),
                     SolidCell(ResourceFolder::Tile(k)).convertToFormat(QImage::Format_Indexed8));
    }
    form->show();
    game().Command(MenuItemId::MenuGameMedium);
    const QImage& s = surface();
    const QColor empty = ResourceFolder::Background(1);
    for (int col = 0; col < engine().ColCount(); ++col) {
        EXPECT_EQ(s.pixelColor(CellCentre(col, 0)), empty) << col;
    }
    for (int row = 0; row < engine().RowCount() - 1; ++row) {
        EXPECT_EQ(s.pixelColor(CellCentre(0, row)), empty) << row;
        EXPECT_EQ(s.pixelColor(ColToX(13) + 25, RowToY(row) + 25), empty) << row;
    }
    // The bottom ring row is only partly visible above the status bar.
    EXPECT_EQ(s.pixelColor(ColToX(5) + 10, s.height() - 1), empty);
    for (int col = 1; col < engine().ColCount() - 1; ++col) {
        for (int row = 1; row < engine().RowCount() - 1; ++row) {
            EXPECT_EQ(s.pixelColor(CellCentre(col, row)),
                      ResourceFolder::Tile(engine().Board()[col][row]))
                << col << "," << row;
        }
    }
    // Cells start at their top-left pixel, on the surface and on the screen (the board surface
    // sits at (1, 1) in the panel).
    const QImage shown = Ui::PanelMain(*form)->grab().toImage().copy(1, 1, s.width(), s.height());
    for (const QImage* image : {&s, &shown}) {
        const QColor tile = ResourceFolder::Tile(engine().Board()[1][1]);
        EXPECT_EQ(image->pixelColor(ColToX(1), RowToY(1)), tile);
        EXPECT_EQ(image->pixelColor(ColToX(1) + 49, RowToY(1) + 49), tile);
        EXPECT_EQ(image->pixelColor(ColToX(1) - 1, RowToY(1) - 1), empty);
        EXPECT_EQ(image->pixelColor(ColToX(2), RowToY(2)),
                  ResourceFolder::Tile(engine().Board()[2][2]));
    }
}

TEST_F(Drawing, MarkedCellIsTheTileBlended140Over255OnTheEmptyPicture) {
    game().Command(MenuItemId::MenuGameLow);
    EngineTestAccess::Board(engine())[3][2] = 7;
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
    game().Command(MenuItemId::MenuGameLow);
    std::vector<TCell>& path = state().LinkPath;
    path = {{1, 1}, {4, 1}, {4, 3}};  // first cell, corner, second cell
    form->DrawLinkPath(true);
    const QImage& s = surface();
    EXPECT_EQ(s.pixelColor(ColToX(2) + 25, RowToY(1) + 25), Red);      // along the top leg
    EXPECT_EQ(s.pixelColor(ColToX(4) + 25, RowToY(2) + 25), Red);      // down the second leg
    EXPECT_EQ(s.pixelColor(ColToX(4) + 25 + 2, RowToY(2) + 25), Red);  // 5 pixels wide
    EXPECT_NE(s.pixelColor(ColToX(4) + 25 + 3, RowToY(2) + 25), Red);
    EXPECT_NE(s.pixelColor(ColToX(2) + 25, RowToY(2) + 25), Red);  // not the diagonal

    form->DrawLinkPath(false);
    EXPECT_EQ(s.pixelColor(ColToX(2) + 25, RowToY(1) + 25), Black);

    path = {{1, 1}, {1, 3}, {4, 3}, {4, 1}};  // two corners
    form->DrawLinkPath(true);
    EXPECT_EQ(s.pixelColor(ColToX(1) + 25, RowToY(2) + 25), Red);
    form->MainPaintBoxPaint();
    EXPECT_EQ(s.pixelColor(ColToX(1) + 25, RowToY(2) + 25),
              ResourceFolder::Tile(engine().Board()[1][2]));
}

TEST_F(Drawing, InformationLineShowsItsExactTextsAndWipesOldValues) {
    game().Command(MenuItemId::MenuGameSpecial);
    game().Command(
        MenuItemId::MenuGameLow);  // the longer bar of the larger grade must not stay behind
    const int width = surface().width();
    Strip strip{Black, Yellow, Red, {"难度：初级", "关卡：不变化", "生命：2", "提示：4", "时间："}};
    EXPECT_EQ(StripDifference(surface(), ExpectedStrip(*form, width, strip)), "");

    state().Lives = 10;
    state().Level = 3;
    form->MainPaintBoxPaint();
    state().Lives = 9;
    state().Level = 1;
    state().TimeLeft = 0;  // until the time-out, the strip right of the frame stays clear
    form->MainPaintBoxPaint();
    strip.items = QStringList{"难度：初级", "关卡：向下", "生命：9", "提示：4", "时间："};
    strip.time = 0;
    EXPECT_EQ(StripDifference(surface(), ExpectedStrip(*form, width, strip)), "");
}

// The design's yellow texts stay wherever they reach 3 : 1 against the panel, else black; its red
// fill and link path stay wherever they keep a colour difference of 20 from the background also
// for red-green colour-blind players, else white.
TEST_F(Drawing, InformationLineAndLinkPathAreReadableOnEveryBackground) {
    ASSERT_NEAR(ContrastRatio(Yellow, QColor(192, 192, 192)), 1.69, 0.005);
    ASSERT_NEAR(DeltaE2000(Red, QColor(128, 0, 0)), 25.9, 0.05);
    // The review's figures for red on green and olive as deuteranopes see them.
    ASSERT_NEAR(DeltaE2000(SeenWith(Vision::Deuteranopia, Red),
                           SeenWith(Vision::Deuteranopia, QColor(0, 128, 0))),
                15, 0.5);
    ASSERT_NEAR(LeastDeltaE2000(Red, QColor(128, 128, 0)), 7, 0.5);
    game().Command(MenuItemId::MenuGameLow);
    state().LinkPath = {{1, 1}, {3, 1}};
    const QPoint onPath(ColToX(2) + 25, RowToY(1) + 25);
    QList<int> textChanged, fillChanged;
    for (int number = 1; number <= 15; ++number) {
        SCOPED_TRACE(number);
        const QColor background = ColorOf(IndexToColor(number));
        state().Presentation.BackgroundNumber = number;
        state().Presentation.BackgroundColor = IndexToColor(number);
        form->SetPanelColor(IndexToColor(number));
        form->MainPaintBoxPaint();
        const QColor text = surface().pixelColor(450, 20);  // the frame
        const QColor fill = surface().pixelColor(460, 20);
        EXPECT_EQ(text, ContrastRatio(Yellow, background) >= 3 ? Yellow : Black);
        EXPECT_GE(ContrastRatio(text, background), 3);
        EXPECT_EQ(fill, LeastDeltaE2000(Red, background) >= 20 ? Red : QColor(Qt::white));
        EXPECT_GE(LeastDeltaE2000(fill, background), 20);
        if (text != Yellow) textChanged << number;
        if (fill != Red) fillChanged << number;
        // Texts in the frame's colour, on the panel's colour, exactly where they belong.
        const Strip strip{
            background, text, fill, {"难度：初级", "关卡：不变化", "生命：2", "提示：4", "时间："}};
        EXPECT_EQ(StripDifference(surface(), ExpectedStrip(*form, surface().width(), strip)), "");
        form->DrawLinkPath(true);
        EXPECT_EQ(surface().pixelColor(onPath), fill);
        form->DrawLinkPath(false);
        EXPECT_EQ(surface().pixelColor(onPath), background);
    }
    EXPECT_EQ(textChanged, QList<int>({9, 11, 12, 14, 15}));
    EXPECT_EQ(fillChanged, QList<int>({2, 3, 4, 10, 11}));
}

TEST_F(Drawing, CuesPlayFromTheSoundFolderOnlyWhileSoundIsOn) {
    folder.WriteBytes("Sound/Select.wav", QByteArray("RIFF"));
    game().Command(MenuItemId::MenuGameLow);
    QAction* sound = form->MenuAction("MenuOptionSound");
    sound->trigger();
    game().MouseDown(ColToX(1) + 25, RowToY(1) + 25);
    EXPECT_TRUE(Ui::Cues(*form).Source().isEmpty());
    sound->trigger();
    engine().InitStack();
    game().MouseDown(ColToX(1) + 25, RowToY(1) + 25);
    EXPECT_EQ(Ui::Cues(*form).Source().toLocalFile(), folder.Path("Sound/Select.wav"));
    form->StopCue();  // stops; never waits on the sound
}

}  // namespace
}  // namespace tessaly::test
