// The window as it stands at start-up, and the way it turns Qt's input into the game's handlers.
#include <QActionGroup>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "form_fixture.h"

namespace tessaly::test {
namespace {

using StartUp = FormTest;

TEST_F(StartUp, WindowHasItsCaptionFixedSizeAndNoMaximiseBox) {
    EXPECT_EQ(form->windowTitle(), "Tessaly2012");
    EXPECT_EQ(client(), QSize(600, 430));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    const Qt::WindowFlags flags = form->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(form->windowIcon().availableSizes().isEmpty());
    EXPECT_EQ(form->pos(), QPoint(151, 172));
}

TEST_F(StartUp, ControlsSitWhereTheLayoutPutsThem) {
    EXPECT_EQ(Ui::MainPaintBox(*form)->geometry(), QRect(1, 1, 598, 409));
    EXPECT_EQ(Ui::StatusBar1(*form)->geometry(), QRect(1, 410, 598, 19));
    EXPECT_EQ(Ui::StatusPanel0(*form)->text(), "按F1开始游戏");
    EXPECT_EQ(Ui::StatusPanel0(*form)->width(), 300);
    EXPECT_TRUE(Ui::StatusPanel1(*form)->text().isEmpty());
    EXPECT_EQ(Ui::StatusPanel1(*form)->width(), 50);
    for (QTimer* timer :
         {&Ui::TimerGuard(*form), &Ui::TimerAutoPlay(*form), &Ui::TimerGameDelay(*form)}) {
        EXPECT_FALSE(timer->isActive());
    }
    EXPECT_EQ(Ui::TimerGuard(*form).interval(), 1000);
    EXPECT_EQ(Ui::TimerAutoPlay(*form).interval(), 500);
    EXPECT_EQ(Ui::TimerGameDelay(*form).interval(), 2500);
}

TEST_F(StartUp, StartPictureCoversTheBoardArea) {
    QLabel* start = form->StartScreen();
    ASSERT_NE(start, nullptr);
    form->show();
    // At the design size, then stretched again when the board area grows while it stands.
    for (const QSize size : {QSize(600, 430), QSize(900, 590)}) {
        Ui::SetClientSize(*form, size);
        EXPECT_EQ(start->geometry(), Ui::MainPaintBox(*form)->geometry());
        // Held once, as it is shown.
        EXPECT_EQ(start->pixmap().size(), start->size());
        const QImage shown = Ui::PanelMain(*form)->grab(start->geometry()).toImage();
        const int w = shown.width(), h = shown.height();
        EXPECT_EQ(shown.pixelColor(w / 6, h / 5), ResourceFolder::StartQuarter(0));
        EXPECT_EQ(shown.pixelColor(w * 5 / 6, h / 5), ResourceFolder::StartQuarter(1));
        EXPECT_EQ(shown.pixelColor(w / 6, h * 4 / 5), ResourceFolder::StartQuarter(2));
        EXPECT_EQ(shown.pixelColor(w * 5 / 6, h * 4 / 5), ResourceFolder::StartQuarter(3));
    }
    Settle();
    EXPECT_TRUE(errors.isEmpty()) << errors.join("\n").toStdString();
}

struct MenuRow {
    const char* name;
    const char* caption;
    bool enabled;
    bool checkable;
    bool checked;
};

TEST_F(StartUp, MenuHoldsEveryItemWithItsCaptionAndState) {
    const MenuRow rows[] = {
        {"MenuGameLow", "初级 - F1", true, true, true},
        {"MenuGameMedium", "中级 - F2", true, true, false},
        {"MenuGameHigh", "高级 - F3", true, true, false},
        {"MenuGameSpecial", "特级 - F4", true, true, false},
        {"MenuGamePause", "暂停 - F8", true, false, false},
        {"MenuGameAbandon", "放弃 - ESC", false, false, false},
        {"MenuTop", "排行榜", true, false, false},
        {"MenuGameExit", "退出", true, false, false},
        {"MenuOptionGetHint", "提示 - F5", false, false, false},
        {"MenuOptionRearrange", "重排 - F6", false, false, false},
        {"MenuOptionBitmap", "图案", false, false, false},
        {"MenuOptionSound", "音效", true, true, true},
        {"MenuOptionMusic", "音乐", true, true, false},
        {"MenuOptionBackGround", "背景", false, false, false},
        {"MenuChange", "变化", false, false, false},
        {"MenuNoChange", "固定", true, true, true},
        {"MenuToDown", "向下", true, true, false},
        {"MenuToLeft", "向左", true, true, false},
        {"MenuUpDownSeperate", "上下分离", true, true, false},
        {"MenuLeftRightSeperate", "左右分离", true, true, false},
        {"MenuUpDownCollect", "上下集中", true, true, false},
        {"MenuLeftRightCollect", "左右集中", true, true, false},
        {"MenuLeftUpRightDown", "上左下右", true, true, false},
        {"MenuLeftDownRightUp", "左下右上", true, true, false},
        {"MenuUpDownLeftRightSeperate", "向外扩散", true, true, false},
        {"MenuUpDownLeftRightCollect", "向内集中", true, true, false},
        {"MenuGameAbout", "关于Tessaly", true, false, false},
        {"MenuAutoPlay", "自动操作 - F7", false, true, false},
    };
    for (const MenuRow& row : rows) {
        QAction* action = form->MenuAction(QString::fromUtf8(row.name));
        ASSERT_NE(action, nullptr) << row.name;
        EXPECT_EQ(action->text(), QString::fromUtf8(row.caption)) << row.name;
        EXPECT_EQ(action->isEnabled(), row.enabled) << row.name;
        EXPECT_EQ(action->isCheckable(), row.checkable) << row.name;
        EXPECT_EQ(action->isChecked(), row.checked) << row.name;
        EXPECT_TRUE(action->shortcut().isEmpty()) << row.name;
    }
}

TEST_F(StartUp, MenusAppearInTheirOrderWithSeparators) {
    auto layout = [](QMenu* menu) {
        QStringList names;
        for (QAction* action : menu->actions()) names << action->objectName();
        return names;
    };
    QMenuBar* bar = form->menuBar();
    QStringList top;
    for (QAction* action : bar->actions()) top << action->text();
    EXPECT_EQ(top, QStringList({"游戏", "选项", "帮助"}));
    EXPECT_EQ(layout(bar->actions()[0]->menu()),
              QStringList({"MenuGameLow", "MenuGameMedium", "MenuGameHigh", "MenuGameSpecial", "N7",
                           "MenuGamePause", "N5", "MenuGameAbandon", "N2", "MenuTop",
                           "MenuGameSeperator", "MenuGameExit"}));
    EXPECT_EQ(layout(bar->actions()[1]->menu()),
              QStringList({"MenuOptionGetHint", "MenuOptionRearrange", "N4", "MenuOptionBitmap",
                           "MenuOptionSound", "MenuOptionMusic", "MenuOptionBackGround", "N3",
                           "MenuChange"}));
    EXPECT_EQ(layout(bar->actions()[2]->menu()), QStringList({"MenuGameAbout", "MenuAutoPlay"}));
    EXPECT_EQ(form->MenuAction("MenuChange")->menu()->actions().size(), 11);
    for (const char* separator : {"N7", "N5", "N2", "MenuGameSeperator", "N4", "N3"}) {
        EXPECT_TRUE(form->MenuAction(separator)->isSeparator()) << separator;
    }
}

TEST_F(StartUp, ChineseTextsAskForSimplifiedChineseGlyphs) {
    EXPECT_FALSE(QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty())
        << "no Simplified Chinese font installed: the menu would show boxes";
    EXPECT_EQ(QFontInfo(form->font()).family(), "Noto Sans CJK SC");
    EXPECT_EQ(QFontInfo(Ui::StatusPanel0(*form)->font()).family(), "Noto Sans CJK SC");
    EXPECT_EQ(
        QFontInfo(qobject_cast<QMenu*>(form->MenuAction("MenuGameLow")->parent())->font()).family(),
        "Noto Sans CJK SC");
}

TEST_F(StartUp, LinkOpensItsTargetAndLeavesTheGameAlone) {
    Ui::LinkLabel1LinkClick(*form, "https://www.tessaly.invalid/");
    EXPECT_EQ(opened, QStringList({"https://www.tessaly.invalid/"}));
    EXPECT_FALSE(state().Playing);
    EXPECT_TRUE(Ui::LinkLabel1(*form)->text().contains("href=\""));
}

TEST_F(StartUp, WindowSeesFunctionKeysWhateverTheModifiers) {
    form->show();
    QTest::keyClick(form->windowHandle(), Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_TRUE(state().Playing);
    EXPECT_EQ(state().Difficulty, 2);
    QTest::keyClick(form->windowHandle(), Qt::Key_F1, Qt::ControlModifier);
    EXPECT_EQ(state().Difficulty, 0);
    QTest::keyClick(form->windowHandle(), Qt::Key_Escape);
    EXPECT_FALSE(state().Playing);
    EXPECT_TRUE(form->MenuAction("MenuGameLow")->isEnabled());
    QTest::keyClick(form->windowHandle(), Qt::Key_A);  // no command: ignored
    EXPECT_FALSE(state().Playing);
}

TEST_F(StartUp, DestroyingTheWindowHidesItThenRunsTheVersionCheckOnce) {
    MainForm* raw = nullptr;
    bool visibleDuringCheck = true;
    form = std::make_unique<MainForm>([&](UpdatePrompt&) {
        ++versionChecks;
        visibleDuringCheck = raw->isVisible();
    });
    raw = form.get();
    versionChecks = 0;  // the fixture's own window has just gone
    form->show();
    form->close();
    EXPECT_EQ(versionChecks, 0);  // the check belongs to the window's destruction
    form.reset();
    EXPECT_EQ(versionChecks, 1);
    EXPECT_FALSE(visibleDuringCheck);
}

}  // namespace
}  // namespace tessaly::test
