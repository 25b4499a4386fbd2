// The real upgrade box, driven offscreen: which answer each way of leaving it gives, and that
// only the page opener ever opens anything.
#include "ui/update_prompt.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <vector>

namespace tessaly {
namespace {

struct LeaveCase {
    const char* what;
    std::function<void(QMessageBox&)> leave;
    bool upgrade;
};

void PrintTo(const LeaveCase& c, std::ostream* out) {
    *out << c.what;
}

class UpgradeBox : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(UpgradeBox, MeansUpgradeOnlyOnYes) {
    std::vector<QUrl> opened;
    QtUpdatePrompt prompt([&](const QUrl& url) { opened.push_back(url); });
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;  // the answer below then shows what went wrong
        text = box->text();
        title = box->windowTitle();
        icon = box->icon();
        buttons = box->standardButtons();
        GetParam().leave(*box);
    });
    EXPECT_EQ(prompt.AskToUpgrade("有新的版本了，是否升级？", "提示"), GetParam().upgrade);
    EXPECT_EQ(text.toStdString(), "有新的版本了，是否升级？");
    EXPECT_EQ(title.toStdString(), "提示");
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(opened.empty()) << "the question alone opens nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Answers, UpgradeBox,
    ::testing::Values(
        LeaveCase{"Yes", [](QMessageBox& box) { box.button(QMessageBox::Yes)->click(); }, true},
        LeaveCase{"No", [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }, false},
        LeaveCase{"Esc", [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }, false},
        LeaveCase{"closed", [](QMessageBox& box) { box.close(); }, false}));

TEST(UpgradePage, OpensTheGivenAddressThroughTheOpener) {
    std::vector<QUrl> opened;
    QtUpdatePrompt prompt([&](const QUrl& url) { opened.push_back(url); });
    prompt.OpenUrl("http://update.tessaly.invalid/tsy/");
    EXPECT_EQ(opened, std::vector{QUrl("http://update.tessaly.invalid/tsy/")});
}

}  // namespace
}  // namespace tessaly
