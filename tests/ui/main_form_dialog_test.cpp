// The picture and background choices through Qt's own input box, answered as a player would:
// typing into it and pressing OK or Cancel.
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "form_fixture.h"

namespace tessaly::test {
namespace {

using Dialogs = FormTest;

struct Answer {
    const char* item;
    const char* prompt;
    const char* typed;
    bool ok;
    int picture, background;  // the settings afterwards
    const char* error;
};

TEST_F(Dialogs, ChoicesTakeTheTypedNumberOnlyOnOkAndReportTextThatIsNoNumber) {
    const char* const pictures = "请输入图案编号(1 - 25): ";
    const char* const backgrounds = "请输入背景颜色编号(1 - 15): ";
    const Answer answers[] = {
        {"MenuOptionBitmap", pictures, "7", true, 7, 1, nullptr},
        {"MenuOptionBackGround", backgrounds, "12", true, 7, 12, nullptr},
        {"MenuOptionBackGround", backgrounds, "3", false, 7, 12, nullptr},
        {"MenuOptionBackGround", backgrounds, "16", true, 7, 12, nullptr},
        {"MenuOptionBackGround", backgrounds, "abc", true, 7, 12,
         "''abc'' is not a valid integer value"},
    };
    const QColor set7(10, 20, 30);
    QDir().mkpath(folder.Path("pic7"));
    for (int k = 1; k <= 25; ++k)
        folder.Write(QStringLiteral("pic7/%1.bmp").arg(k), SolidCell(set7));
    form->show();
    game().Command(MenuItemId::MenuGameLow);
    for (const Answer& answer : answers) {
        SCOPED_TRACE(std::string(answer.item) + " " + answer.typed);
        const QString shownBefore =
            QString::number(answer.prompt == pictures ? state().Presentation.PictureSetNumber
                                                      : state().Presentation.BackgroundNumber);
        QStringList seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!box) return;
            seen << box->windowTitle() << box->labelText() << box->textValue();
            auto* edit = box->findChild<QLineEdit*>();
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromUtf8(answer.typed));
            box->findChild<QDialogButtonBox*>()
                ->button(answer.ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)
                ->click();
        });
        errors.clear();
        form->MenuAction(answer.item)->trigger();
        Settle();
        EXPECT_EQ(seen, QStringList({"输入", QString::fromUtf8(answer.prompt), shownBefore}));
        EXPECT_EQ(state().Presentation.PictureSetNumber, answer.picture);
        EXPECT_EQ(state().Presentation.BackgroundNumber, answer.background);
        EXPECT_EQ(errors, answer.error ? QStringList{answer.error} : QStringList());
    }
    // The chosen pictures and background show at once.
    EXPECT_EQ(surface().pixelColor(ColToX(1) + 25, RowToY(1) + 25), set7);
    EXPECT_EQ(surface().pixelColor(10, 5), QColor(255, 255, 0));
}

}  // namespace
}  // namespace tessaly::test
