// Pictures that cannot be read: the player is told once, the drawing stops, the game goes on,
// and the next drawing reads the files again.
#include <sys/stat.h>

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include "form_fixture.h"

namespace tessaly::test {
namespace {

using PictureFailure = FormTest;

const QColor Marker(255, 0, 255);

TEST_F(PictureFailure, MissingTileIsReportedOnceAndTheRestOfTheRedrawIsSkipped) {
    game().Command(MenuItemId::MenuGameLow);
    const int kind = engine().Board()[1][1];
    folder.Remove(QStringLiteral("pic1/%1.bmp").arg(kind));
    surface().fill(Marker);
    form->MainPaintBoxPaint();
    form->MainPaintBoxPaint();  // fails again while the first box is still waiting
    Settle();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], QStringLiteral("Cannot open file \"%1\". No such file or directory")
                             .arg(folder.Path(QStringLiteral("pic1/%1.bmp").arg(kind))));
    // Column 0 came before the failing cell; the time bar would have come after it.
    EXPECT_EQ(surface().pixelColor(25, 55), ResourceFolder::Background(1));
    EXPECT_EQ(surface().pixelColor(500, 20), Marker);
    EXPECT_TRUE(state().Playing);

    // Nothing is cached: the file put back, in a new colour, shows at the next redraw.
    folder.Write(QStringLiteral("pic1/%1.bmp").arg(kind), SolidCell(Qt::cyan));
    form->MainPaintBoxPaint();
    Settle();
    EXPECT_EQ(errors.size(), 1);
    EXPECT_EQ(surface().pixelColor(ColToX(1) + 25, RowToY(1) + 25), QColor(Qt::cyan));
    EXPECT_EQ(surface().pixelColor(500, 20), QColor(255, 0, 0));
}

TEST_F(PictureFailure, SpecialFilesNamedLikePicturesAreReportedOnceWithoutBlocking) {
    game().Command(MenuItemId::MenuGameLow);
    const QString tile = QStringLiteral("pic1/%1.bmp").arg(engine().Board()[1][1]);
    for (const QString& inside : {tile, QStringLiteral("BackGround/Start.bmp")}) {
        folder.Remove(inside);
        ASSERT_EQ(::mkfifo(folder.Path(inside).toLocal8Bit().constData(), 0600), 0);
    }
    form->MainPaintBoxPaint();
    form->MainPaintBoxPaint();
    Settle();
    // A pipe without a writer would block a plain open; the start screen must come up too.
    part<Flow>().EndGame();
    Settle();
    ASSERT_EQ(errors.size(), 2);
    EXPECT_EQ(errors[0],
              QStringLiteral("Cannot open file \"%1\". Not a regular file").arg(folder.Path(tile)));
    EXPECT_TRUE(errors[1].endsWith("BackGround/Start.bmp\". Not a regular file"));
    EXPECT_NE(form->StartScreen(), nullptr);
}

TEST_F(PictureFailure, DamagedPicturesAreNotValidBitmaps) {
    game().Command(MenuItemId::MenuGameLow);
    const QByteArray png = [] {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        SolidCell(Qt::red).save(&buffer, "PNG");
        return bytes;
    }();
    QFile empty(folder.Path("BackGround/1.bmp"));
    ASSERT_TRUE(empty.open(QIODevice::ReadOnly));
    const QByteArray truncated = empty.readAll().chopped(100);
    empty.close();

    for (const QByteArray& bytes : {png, truncated}) {
        folder.WriteBytes("BackGround/1.bmp", bytes);
        form->DrawCellPicture(0, 0, 0);
        Settle();
    }
    EXPECT_EQ(errors, QStringList({"Bitmap image is not valid", "Bitmap image is not valid"}));
}

TEST_F(PictureFailure, MissingStartPictureLeavesAnEmptyStartScreenInThePanelColour) {
    game().Command(MenuItemId::MenuGameLow);
    folder.Remove("BackGround/Start.bmp");
    part<Flow>().EndGame();
    Settle();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].endsWith("/resource/BackGround/Start.bmp\". No such file or directory"));
    ASSERT_NE(form->StartScreen(), nullptr);
    form->show();
    const QImage shown = Ui::PanelMain(*form)->grab(form->StartScreen()->geometry()).toImage();
    EXPECT_EQ(shown.pixelColor(100, 100), QColor(0, 0, 0));
    // No further load is tried while it stands.
    form->MainPaintBoxPaint();
    Settle();
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(PictureFailure, TheRealErrorBoxOpensAfterTheHandlerAndOnlyOneAtATime) {
    form->Errors().SetSink(nullptr);
    form->show();
    game().Command(MenuItemId::MenuGameLow);
    folder.Remove("BackGround/1.bmp");
    int boxes = 0;
    QString text;
    std::function<void()> closeBoxes = [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxes;
            text = box->text();
            // A redraw while the box is open must not open a second one.
            form->MainPaintBoxPaint();
            box->accept();
        } else if (boxes == 0) {
            QTimer::singleShot(10, closeBoxes);
        }
    };
    form->MainPaintBoxPaint();
    EXPECT_TRUE(form->Errors().Busy());
    QTimer::singleShot(0, closeBoxes);
    // However busy the machine, the box comes; only a hang reaches the limit.
    EXPECT_TRUE(QTest::qWaitFor([&] { return boxes > 0 && !form->Errors().Busy(); }, 60000));
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(text.startsWith("Cannot open file")) << text.toStdString();
    EXPECT_FALSE(form->Errors().Busy());
}

}  // namespace
}  // namespace tessaly::test
