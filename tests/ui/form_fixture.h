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
#include "tests/engine/engine_access.h"
#include "tests/game/game_access.h"
#include "ui/main_form.h"

// Colours and texts in failure messages as #rrggbb and as text rather than as bytes.
inline void PrintTo(const QColor& color, std::ostream* out) {
    *out << color.name().toStdString();
}
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace tessaly::test {

class FormTest : public testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<MainForm>([this](UpdatePrompt&) { ++versionChecks; },
                                          [] { return 12345u; });
        form->Errors().sink = [this](const QString& message) { errors << message; };
        form->OpenAddress = [this](const QString& url) { opened << url; };
        // The game's waits would only slow the tests down; a test that needs them counts them.
        form->BlockingSleep = nullptr;
    }
    void TearDown() override {
        form.reset();
        QCoreApplication::processEvents();
    }

    // Lets queued work (the error box) run.
    static void Settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    Game& game() { return form->Game(); }
    GameView& state() { return GameTestAccess::StateOf(form->Game()); }
    Engine& engine() { return GameTestAccess::EngineOf(form->Game()); }
    template <class Part>
    Part& part() {
        return GameTestAccess::PartOf<Part>(form->Game());
    }
    QImage& surface() { return form->BoardSurface(); }
    QSize client() const { return form->centralWidget()->size(); }

    ResourceFolder folder;
    std::unique_ptr<MainForm> form;
    QStringList errors;
    QStringList opened;
    int versionChecks = 0;
};

}  // namespace tessaly::test
