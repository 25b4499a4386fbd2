// The game's one window: its controls, menu and timers, and the translation of Qt's events into
// the game's input. It draws the game's view through its board painter. Defined by job: the
// window in main_form.cpp, the input it connects in main_form_handlers.cpp, and the game window
// interface in main_form_game_window.cpp and, for drawing, main_form_drawing.cpp.
#pragma once

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QStatusBar>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "engine/seed_source.h"
#include "game/game_view.h"
#include "game/game_window.h"
#include "ui/board_painter.h"
#include "ui/cue_player.h"
#include "ui/error_box.h"
#include "ui/main_menu.h"
#include "ui/main_paint_box.h"
#include "ui/music_module.h"

namespace tessaly {

class Game;
class UpdatePrompt;

class MainForm : public QMainWindow, public GameWindow {
    Q_OBJECT

  public:
    // Runs as the window is destroyed, after it has been hidden.
    using VersionCheck = std::function<void(UpdatePrompt&)>;
    static VersionCheck DefaultVersionCheck();

    explicit MainForm(VersionCheck versionCheck = DefaultVersionCheck(),
                      SeedSource seedSource = ClockSeed);
    ~MainForm() override;

    tessaly::Game& TheGame() { return *game_; }

    // Drawing (each one paints at once on the board surface).
    void MainPaintBoxPaint() override;
    void DrawCellPicture(int32_t col, int32_t row, int32_t value) override;
    void DrawCell(int32_t col, int32_t row) override;
    void DrawMarkedCell(int32_t col, int32_t row) override;
    void DrawTimeBar() override;
    void DrawLinkPath(bool show) override;
    void DestroyStartScreen() override;
    void FormResize() override;

    void SetMenuEnabled(MenuItemId item, bool enabled) override;
    void SetMenuChecked(MenuItemId item, bool checked) override;

    void SetTimerEnabled(TimerId timer, bool enabled) override;

    void MessageBox(const std::string& text, const std::string& caption, MessageButtons buttons,
                    MessageIcon icon) override;
    std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultText) override;

    void PlayCue(const std::string& name) override;
    void StopCue() override;
    void Wait(int32_t milliseconds) override;
    void Beep() override;
    void SetApplicationTitle(const std::string& title) override;
    void Minimize() override;
    void CloseWindow() override;
    void ShowError(const std::string& text) override;
    void SetPanelColor(uint32_t color) override;

    ErrorBox& Errors() { return *errorBox_; }
    QImage& BoardSurface() { return MainPaintBox->Surface(); }
    // The start picture while it shows, else nullptr.
    QLabel* StartScreen() const { return StartImage; }
    QAction* MenuAction(const QString& name) const { return menu_->Action(name); }

  private:
    // Tests reach the controls and the seams below through a friend.
    friend struct MainFormTestAccess;

    void LinkLabel1LinkClick(const QString& link);
    void ShowStartScreen();
    // Reads the start picture and shows it stretched to the start screen; one that cannot be
    // read goes to the error box and leaves the screen empty.
    void LoadStartPicture();
    // The task-bar title the game last set.
    QString ApplicationTitle() const { return applicationTitle_; }
    const CuePlayer& Cues() const { return cues_; }
    // Opens addresses; replaced in tests so that no browser starts.
    std::function<void(const QString&)> openAddress_;
    // The blocking sleep of `Wait`; replaced in tests to look at the screen meanwhile.
    std::function<void(int32_t milliseconds)> blockingSleep_;

    // The controls, under their names.
    QFrame* PanelMain = nullptr;
    tessaly::MainPaintBox* MainPaintBox = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanel0 = nullptr;
    QLabel* StatusPanel1 = nullptr;
    QLabel* LinkLabel1 = nullptr;
    QTimer TimerGuard;
    QTimer TimerAutoPlay;
    QTimer TimerGameDelay;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void BuildLayout();
    // Connects the menu, the timers, the board and the link to the game's input.
    void ConnectHandlers();
    void FormCreate();
    void FormDestroy();
    // Ends all play the moment the window closes, before the event loop returns.
    void StopForClose();
    void SetClientSize(QSize size);
    void LayoutPanel();
    void PaintPanel(QColor color);
    // Whether a key press is the player's: a new press, or a repeat of one made in this window.
    bool KeyPressedHere(const QKeyEvent& key);

    // A full redraw; throws PictureLoadError, which ends it.
    void PaintAll();
    // Runs one drawing operation: a picture that fails ends it and goes to the error box.
    void Guarded(const std::function<void()>& draw);

    // The cell's value, or nothing (and a warning) for a cell outside the board.
    std::optional<int32_t> BoardValue(int32_t col, int32_t row) const;
    QFont InfoFont() const;
    QTimer& TimerOf(TimerId id);

    // Behind a pointer, so that the drawing files see the game only through its view.
    std::unique_ptr<tessaly::Game> game_;
    const GameView& view_;
    VersionCheck versionCheck_;
    std::unique_ptr<MainMenu> menu_;
    tessaly::ErrorBox* errorBox_ = nullptr;
    CuePlayer cues_;
    // Outlives FormDestroy, so the music plays on through the version check at exit.
    MusicModule music_;
    QString applicationTitle_;
    QPointer<QLabel> StartImage;
    std::unique_ptr<BoardPainter> painter_;
    QPointer<QWindow> keyWindow_;
    // Gives the heap's unused pages back to the system now and then.
    QTimer heapTrim_;
    // The keys freshly pressed since this window last had the focus, and the last release seen.
    QSet<int> keysDown_;
    std::pair<int, quint64> lastRelease_{0, 0};
    bool wasMinimized_ = false;
    bool destroyed_ = false;
    // Set once the window has closed: no timer starts again and no box opens.
    bool closing_ = false;
};

}  // namespace tessaly
