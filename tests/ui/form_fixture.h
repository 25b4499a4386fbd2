// A main window over a test resource folder, with the version check kept off the network and
// the error box and browser replaced by recorders.
#pragma once

#include <gtest/gtest.h>

#include <QColor>
#include <QCoreApplication>
#include <QStringList>
#include <memory>
#include <ostream>

#include "resource_folder.h"
#include "tests/game/game_access.h"
#include "ui/main_form.h"

// Colours and texts in failure messages as #rrggbb and as text rather than as bytes.
inline void PrintTo(const QColor& color, std::ostream* out) {
    *out << color.name().toStdString();
}
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tessaly {

// The window's controls and seams, under the window's own names.
struct MainFormTestAccess {
    using F = MainForm;
    static QFrame* PanelMain(F& f) { return f.PanelMain; }
    static tessaly::MainPaintBox* MainPaintBox(F& f) { return f.MainPaintBox; }
    static QStatusBar* StatusBar1(F& f) { return f.StatusBar1; }
    static QLabel* StatusPanel0(F& f) { return f.StatusPanel0; }
    static QLabel* StatusPanel1(F& f) { return f.StatusPanel1; }
    static QLabel* LinkLabel1(F& f) { return f.LinkLabel1; }
    static QTimer& TimerGuard(F& f) { return f.TimerGuard; }
    static QTimer& TimerAutoPlay(F& f) { return f.TimerAutoPlay; }
    static QTimer& TimerGameDelay(F& f) { return f.TimerGameDelay; }
    static auto& OpenAddress(F& f) { return f.openAddress_; }
    static auto& BlockingSleep(F& f) { return f.blockingSleep_; }
    static void LinkLabel1LinkClick(F& f, const QString& link) { f.LinkLabel1LinkClick(link); }
    static QString ApplicationTitle(const F& f) { return f.ApplicationTitle(); }
    static const CuePlayer& Cues(const F& f) { return f.Cues(); }
    static void SetClientSize(F& f, QSize size) { f.SetClientSize(size); }
};

namespace test {

using Ui = MainFormTestAccess;

class FormTest : public testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<MainForm>([this](UpdatePrompt&) { ++versionChecks; },
                                          [] { return 12345u; });
        form->Errors().SetSink([this](const QString& message) { errors << message; });
        Ui::OpenAddress(*form) = [this](const QString& url) { opened << url; };
        // The game's waits would only slow the tests down; a test that needs them counts them.
        Ui::BlockingSleep(*form) = nullptr;
    }
    void TearDown() override {
        form.reset();
        QCoreApplication::processEvents();
    }

    // Lets queued work (the error box) run.
    static void Settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    Game& game() { return form->TheGame(); }
    GameView& state() { return GameTestAccess::StateOf(form->TheGame()); }
    Engine& engine() { return GameTestAccess::EngineOf(form->TheGame()); }
    template <class Part>
    Part& part() {
        return GameTestAccess::PartOf<Part>(form->TheGame());
    }
    QImage& surface() { return form->BoardSurface(); }
    QSize client() const { return form->centralWidget()->size(); }

    ResourceFolder folder;
    std::unique_ptr<MainForm> form;
    QStringList errors;
    QStringList opened;
    int versionChecks = 0;
};

}  // namespace test
}  // namespace tessaly
