// Games started from the keys and the menu: the window fits each board and switches its menus.
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>

#include "form_fixture.h"
#include "game/difficulty_table.h"
#include "game/menu_commands.h"

namespace tessaly::test {
namespace {

using Games = FormTest;

// The grade's numbers come from the game's table; the game tests check that table.
struct Grade {
    Qt::Key key;
    QSize client;
    const DifficultyRow& row;
    const char* item = EntryOf(row.MenuItem).Name;
};

const Grade Grades[] = {
    {Qt::Key_F1, {600, 430}, DifficultyTable[0]},
    {Qt::Key_F2, {700, 480}, DifficultyTable[1]},
    {Qt::Key_F3, {800, 530}, DifficultyTable[2]},
    {Qt::Key_F4, {900, 580}, DifficultyTable[3]},
};

void ExpectPlayMenuState(MainForm& form) {
    for (const char* on :
         {"MenuGameAbandon", "MenuOptionGetHint", "MenuOptionRearrange", "MenuOptionBackGround",
          "MenuOptionSound", "MenuOptionBitmap", "MenuChange", "MenuAutoPlay"}) {
        EXPECT_TRUE(form.MenuAction(on)->isEnabled()) << on;
    }
    for (const char* off : {"MenuGameLow", "MenuGameMedium", "MenuGameHigh", "MenuGameSpecial"}) {
        EXPECT_FALSE(form.MenuAction(off)->isEnabled()) << off;
    }
}

TEST_F(Games, EachGradeKeyStartsItsBoardAndFitsTheWindow) {
    form->show();
    for (const Grade& grade : Grades) {
        SCOPED_TRACE(grade.item);
        QTest::keyClick(form->windowHandle(), grade.key);
        EXPECT_TRUE(state().Playing);
        EXPECT_EQ(state().Level, 0);
        EXPECT_EQ(engine().ColCount(), grade.row.ColCount);
        EXPECT_EQ(engine().RowCount(), grade.row.RowCount);
        EXPECT_EQ(engine().KindCount(), grade.row.KindCount);
        EXPECT_EQ(state().Lives, grade.row.Lives);
        EXPECT_EQ(state().Hints, grade.row.Hints);
        EXPECT_EQ(client(), grade.client);
        EXPECT_EQ(Ui::MainPaintBox(*form)->geometry(),
                  QRect(1, 1, grade.client.width() - 2, grade.client.height() - 21));
        EXPECT_EQ(surface().size(), Ui::MainPaintBox(*form)->size());
        EXPECT_EQ(form->minimumSize(), form->maximumSize());
        EXPECT_EQ(form->StartScreen(), nullptr);
        EXPECT_TRUE(Ui::TimerGameDelay(*form).isActive());
        ExpectPlayMenuState(*form);
        for (const Grade& other : Grades) {
            EXPECT_EQ(form->MenuAction(other.item)->isChecked(), &other == &grade) << other.item;
        }
        // The link keeps to the status bar, clear of the board it would hide: in the design's
        // place at grade 0, at the bar's right end in the larger windows.
        const QRect link(Ui::LinkLabel1(*form)->mapTo(Ui::PanelMain(*form), QPoint(0, 0)),
                         Ui::LinkLabel1(*form)->size());
        EXPECT_FALSE(link.intersects(Ui::MainPaintBox(*form)->geometry()));
        EXPECT_FALSE(link.intersects(
            Ui::StatusPanel0(*form)->geometry().translated(Ui::StatusBar1(*form)->pos())));
        if (grade.client == QSize(600, 430)) {
            EXPECT_EQ(link, QRect(344, 416, 181, 17));
        } else {
            EXPECT_TRUE(Ui::StatusBar1(*form)->geometry().contains(link));
            EXPECT_EQ(link.right(), Ui::StatusBar1(*form)->geometry().right());
        }
        // Visible, not only placed: its text reaches the window.
        const QImage shown = Ui::PanelMain(*form)->grab(link).toImage();
        int ink = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) ink += shown.pixel(x, y) != shown.pixel(0, 0);
        }
        EXPECT_GT(ink, 50);
    }
    Settle();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

TEST_F(Games, DifficultyItemsStartGamesLikeTheirKeys) {
    form->MenuAction("MenuGameHigh")->trigger();
    EXPECT_TRUE(state().Playing);
    EXPECT_EQ(state().Difficulty, 2);
    EXPECT_EQ(client(), QSize(800, 530));
    EXPECT_TRUE(form->MenuAction("MenuGameHigh")->isChecked());
    EXPECT_FALSE(form->MenuAction("MenuGameLow")->isChecked());
}

TEST_F(Games, AnotherGradeDuringAGameDiscardsItWithoutAQuestion) {
    form->show();
    QTest::keyClick(form->windowHandle(), Qt::Key_F1);
    state().Lives = 0;
    bool asked = false;
    QTimer::singleShot(0, [&] { asked = QApplication::activeModalWidget() != nullptr; });
    QTest::keyClick(form->windowHandle(), Qt::Key_F2);
    Settle();
    EXPECT_FALSE(asked);
    EXPECT_EQ(state().Difficulty, 1);
    EXPECT_EQ(state().Level, 0);
    EXPECT_EQ(state().Lives, 3);
    EXPECT_EQ(state().Hints, 6);
    EXPECT_EQ(engine().ColCount(), 14);
    EXPECT_EQ(client(), QSize(700, 480));
}

TEST_F(Games, RadioItemsInvertTheirOwnMarkBeforeTheCommand) {
    form->MenuAction("MenuGameLow")->trigger();
    QAction* left = form->MenuAction("MenuToLeft");
    left->trigger();
    EXPECT_TRUE(left->isChecked());
    EXPECT_FALSE(form->MenuAction("MenuNoChange")->isChecked());
    EXPECT_EQ(state().Level, 2);
    left->trigger();  // the checked item: afterwards none of the group is checked
    EXPECT_FALSE(left->isChecked());
    EXPECT_EQ(state().Level, 2);
    for (QAction* item : form->MenuAction("MenuChange")->menu()->actions()) {
        EXPECT_FALSE(item->isChecked()) << item->objectName().toStdString();
    }
}

TEST_F(Games, ToggleItemsChangeTheirMarkOnceThroughTheirCommand) {
    QAction* sound = form->MenuAction("MenuOptionSound");
    sound->trigger();
    EXPECT_FALSE(sound->isChecked());
    sound->trigger();
    EXPECT_TRUE(sound->isChecked());
    QAction* music = form->MenuAction("MenuOptionMusic");
    music->trigger();
    EXPECT_TRUE(music->isChecked());
    EXPECT_TRUE(Ui::TimerGuard(*form).isActive());
    music->trigger();
    EXPECT_FALSE(music->isChecked());
    EXPECT_FALSE(Ui::TimerGuard(*form).isActive());

    form->MenuAction("MenuGameLow")->trigger();
    QAction* autoPlay = form->MenuAction("MenuAutoPlay");
    autoPlay->trigger();
    EXPECT_TRUE(autoPlay->isChecked());
    EXPECT_TRUE(Ui::TimerAutoPlay(*form).isActive());
    autoPlay->trigger();
    EXPECT_FALSE(autoPlay->isChecked());
    EXPECT_FALSE(Ui::TimerAutoPlay(*form).isActive());

    // After a game ends the item stays enabled, but the game refuses it: the mark stays as the
    // game last set it, off or on.
    part<Flow>().EndGame();
    autoPlay->trigger();
    EXPECT_FALSE(autoPlay->isChecked());
    game().Key(vk::F1);
    autoPlay->trigger();
    part<Flow>().EndGame();
    autoPlay->trigger();
    EXPECT_TRUE(autoPlay->isChecked());
}

TEST_F(Games, EndedGameKeepsTheBoardSizeAndPlayMenus) {
    form->show();
    QTest::keyClick(form->windowHandle(), Qt::Key_F4);
    part<Flow>().EndGame();
    EXPECT_EQ(client(), QSize(900, 580));
    ExpectPlayMenuState(*form);
    EXPECT_FALSE(Ui::TimerGameDelay(*form).isActive());
    QLabel* start = form->StartScreen();
    ASSERT_NE(start, nullptr);
    EXPECT_EQ(start->geometry(), QRect(1, 1, 898, 559));
    // The start picture is stretched over the whole of the last board's area.
    const QImage shown = Ui::PanelMain(*form)->grab(start->geometry()).toImage();
    EXPECT_EQ(shown.pixelColor(200, 120), ResourceFolder::StartQuarter(0));
    EXPECT_EQ(shown.pixelColor(700, 120), ResourceFolder::StartQuarter(1));
    EXPECT_EQ(shown.pixelColor(200, 440), ResourceFolder::StartQuarter(2));
    EXPECT_EQ(shown.pixelColor(700, 440), ResourceFolder::StartQuarter(3));
}

TEST_F(Games, MousePressOnTheBoardReachesTheClickHandler) {
    form->show();
    QTest::keyClick(form->windowHandle(), Qt::Key_F1);
    const int x = ColToX(2), y = RowToY(3);
    // Each press is a first click: the cell it lands on goes on the selection stack.
    const std::pair<QPoint, TCell> presses[] = {
        {{x + 10, y + 10}, {2, 3}}, {{x, y}, {2, 3}},      {{x + 49, y + 49}, {2, 3}},
        {{x - 1, y}, {1, 3}},       {{x, y + 50}, {2, 4}},
    };
    for (const auto& [pixel, cell] : presses) {
        engine().InitStack();
        QTest::mouseClick(Ui::MainPaintBox(*form), Qt::LeftButton, {}, pixel);
        ASSERT_FALSE(engine().StackIsEmpty()) << pixel.x() << "," << pixel.y();
        EXPECT_EQ(engine().PeekCell(), cell) << pixel.x() << "," << pixel.y();
    }
}

TEST_F(Games, RemovedPairShowsItsLinkOnTheScreenDuringTheWait) {
    form->show();
    QTest::keyClick(form->windowHandle(), Qt::Key_F1);
    TCell first, second;
    ASSERT_TRUE(engine().FindLinkablePair(first, second));
    auto centre = [](TCell c) { return QPoint(ColToX(c.X) + 25, RowToY(c.Y) + 25); };
    // What the window system holds for the window while the game thread sleeps.
    QImage shown;
    int slept = 0;
    Ui::BlockingSleep(*form) = [&](int32_t milliseconds) {
        slept += milliseconds;
        shown = form->screen()->grabWindow(form->winId()).toImage();
    };
    QTest::mouseClick(Ui::MainPaintBox(*form), Qt::LeftButton, {}, centre(first));
    QTest::mouseClick(Ui::MainPaintBox(*form), Qt::LeftButton, {}, centre(second));
    EXPECT_EQ(slept, 200);
    ASSERT_FALSE(shown.isNull());
    for (TCell end : {first, second}) {
        const QPoint at = Ui::MainPaintBox(*form)->mapTo(form.get(), centre(end));
        EXPECT_EQ(shown.pixelColor(at), QColor(255, 0, 0)) << end.X << "," << end.Y;
        EXPECT_NE(surface().pixelColor(centre(end)), QColor(255, 0, 0));  // gone afterwards
    }
}

TEST_F(Games, PauseMinimisesAndRestoringResumesTheCountdown) {
    form->show();
    // F8 held since before the window had the focus repeats into it (flagged by Qt or only as a
    // release and press at one moment): not the player's command.
    QKeyEvent flagged(QEvent::KeyPress, Qt::Key_F8, Qt::NoModifier, QString(), true);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F8, Qt::NoModifier);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F8, Qt::NoModifier);
    release.setTimestamp(4711);
    press.setTimestamp(4711);
    for (QKeyEvent* event : {&flagged, &release, &press}) {
        QCoreApplication::sendEvent(form->windowHandle(), event);
    }
    EXPECT_FALSE(form->isMinimized());
    QTest::keyClick(form->windowHandle(), Qt::Key_F1);
    QTest::keyClick(form->windowHandle(), Qt::Key_F8);
    QCoreApplication::processEvents();
    EXPECT_TRUE(form->isMinimized());
    EXPECT_FALSE(Ui::TimerGameDelay(*form).isActive());
    EXPECT_EQ(Ui::ApplicationTitle(*form), "Tessaly - 暂停");
    form->showNormal();
    QCoreApplication::processEvents();
    EXPECT_TRUE(Ui::TimerGameDelay(*form).isActive());
    EXPECT_EQ(Ui::ApplicationTitle(*form), "Tessaly");
}

}  // namespace
}  // namespace tessaly::test
