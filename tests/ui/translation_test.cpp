// Qt's standard buttons speak Chinese like the rest of the game, whatever the user's locale.
#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

#include "form_fixture.h"
#include "ui/qt_translations.h"
#include "ui/update_prompt.h"

namespace tessaly::test {
namespace {

class QtWords : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        // An English desktop: the catalogue must not depend on it.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        ASSERT_TRUE(InstallQtTranslations(*qApp)) << "qt6-translations-l10n is not installed";
    }
    void TearDown() override {
        for (QTranslator* t : qApp->findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
            QCoreApplication::removeTranslator(t);
            delete t;
        }
        QLocale::setDefault(QLocale::c());
        FormTest::TearDown();
    }

    // Reads the buttons of the next modal box, then closes it with Escape's answer.
    void ReadButtonsOfNextBox() {
        QTimer::singleShot(0, [this] {
            QWidget* box = QApplication::activeModalWidget();
            auto* row = box ? box->findChild<QDialogButtonBox*>() : nullptr;
            if (!row) return;
            for (QAbstractButton* button : row->buttons()) {
                // Mnemonics ("是(&Y)") are the keyboard's business, not the reader's.
                buttons << button->text().remove(QRegularExpression("\\(&.\\)|&"));
            }
            buttons.sort();
            box->close();
        });
    }

    QStringList buttons;
};

TEST_F(QtWords, InputBoxButtonsReadOkAndCancelInChinese) {
    ReadButtonsOfNextBox();
    form->InputBox("输入", "请输入图案编号(1 - 25):", "1");
    EXPECT_EQ(buttons, QStringList({"取消", "确定"}));
}

TEST_F(QtWords, UpdatePromptButtonsReadYesAndNoInChinese) {
    ReadButtonsOfNextBox();
    QtUpdatePrompt prompt;
    prompt.AskToUpgrade("有新版本", "信息");
    EXPECT_EQ(buttons, QStringList({"否", "是"}));
}

}  // namespace
}  // namespace tessaly::test
