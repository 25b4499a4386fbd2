// Paints the game's view into the board surface: the tiles, a marked tile, the information
// line, the time bar and the link path. Every picture is read from its file just before it is
// drawn; an operation throws PictureLoadError when a picture cannot be, which ends only it.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QStaticText>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_view.h"
#include "ui/main_paint_box.h"

namespace tessaly {

class PictureReader;

class BoardPainter {
  public:
    BoardPainter(const GameView& view, MainPaintBox& box) : view_(view), box_(box) {}

    // Every cell of the board, ring included.
    void PaintBoard();
    // The picture of `value` (0: the empty cell's) at a cell.
    void PaintCell(int32_t col, int32_t row, int32_t value);
    // The picture of `value` blended over the empty cell's.
    void PaintMarkedCell(int32_t col, int32_t row, int32_t value);
    // The view's information line, in the window's `font`; nothing while no game is on.
    void PaintInfoLine(const QFont& font);
    void PaintTimeBar();
    // The view's link path in the path's colour, or in the background's to erase it.
    void PaintLinkPath(bool show);

  private:
    void PaintCellPicture(PictureReader& files, int32_t col, int32_t row, int32_t value);
    std::string CellPicturePath(int32_t value) const;
    QColor BackgroundColor() const;

    const GameView& view_;
    MainPaintBox& box_;
    QImage cellBitmap_;
    // The information line's texts, laid out when they change.
    struct InfoText {
        std::string text;
        QFont font;
        QStaticText layout;
        QSize size;
    };
    std::array<InfoText, std::tuple_size_v<InfoTexts>> infoTexts_;
    // Every picture file is read into this, one after the other.
    std::vector<unsigned char> pictureBuffer_;
};

}  // namespace tessaly
