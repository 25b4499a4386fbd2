// The board's painting: tiles straight from their files, the marked tile's blend, the
// information line's texts, the time bar and the link path, each in colours a player can see on
// the chosen background.
#include "ui/board_painter.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>
#include <span>

#include "drawing/bgr_color.h"
#include "game/resource_layout.h"
#include "ui/bmp_file.h"
#include "ui/picture_reader.h"

namespace tessaly {

namespace {

const QColor Yellow(255, 255, 0);
const QColor Red(255, 0, 0);
constexpr int MarkOpacity = 140;  // out of 255
constexpr int InfoTop = 10;
// Where each text of the information line starts: a blank and a value share a place.
constexpr std::array<int, std::tuple_size_v<InfoTexts>> InfoLeft = {50,  50,  140, 140, 260,
                                                                    260, 330, 330, 400};

// The colours of the information line and of the link path: the design's yellow texts and
// frame and red fill and path, except where a player could not see them. Texts turn black where
// yellow falls below 3 : 1 against the panel (silver, lime, yellow, fuchsia, aqua). The fill and
// the path turn white where red comes within a colour difference (CIEDE2000) of 20 of the
// background, in normal vision or for red-green colour-blind players (maroon, green, olive, red,
// lime); the empty-cell pictures the path crosses are drawn in the background's colour.
struct InfoColors {
    QColor text;  // and the time bar's frame
    QColor fill;  // and the link path
};

InfoColors InfoColorsOn(uint32_t background) {
    const bool darkText = background == 0xC0C0C0 || background == 0x00FF00 ||
                          background == 0x00FFFF || background == 0xFF00FF ||
                          background == 0xFFFF00;
    const bool whiteFill = background == 0x000080 || background == 0x008000 ||
                           background == 0x008080 || background == 0x0000FF ||
                           background == 0x00FF00;
    return {darkText ? QColor(Qt::black) : Yellow, whiteFill ? QColor(Qt::white) : Red};
}

// Blends `picture` over `surface` at the logical point `logicalAt` with a constant opacity of
// alpha/255; a picture with an alpha channel of its own is weighted by it as well.
void BlendConstant(QImage& surface, QPoint logicalAt, const QImage& picture, int alpha) {
    const bool ownAlpha = picture.hasAlphaChannel();
    QImage src = picture.convertToFormat(ownAlpha ? QImage::Format_ARGB32_Premultiplied
                                                  : QImage::Format_RGB32);
    // The blend runs on the surface's own pixels, so a scaled screen needs a scaled picture.
    const qreal ratio = surface.devicePixelRatio();
    const QPoint at = (QPointF(logicalAt) * ratio).toPoint();
    if (ratio != 1) {
        src = src.scaled((QSizeF(src.size()) * ratio).toSize(), Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
    }
    const QRect area = QRect(at, src.size()).intersected(surface.rect());
    if (area.isEmpty()) return;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        auto* dst = reinterpret_cast<QRgb*>(surface.scanLine(y));
        const auto* line = reinterpret_cast<const QRgb*>(src.constScanLine(y - at.y()));
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb s = line[x - at.x()];
            const QRgb d = dst[x];
            const int keep = ownAlpha ? 255 * 255 - alpha * qAlpha(s) : (255 - alpha) * 255;
            auto mix = [&](int sc, int dc) {
                return (sc * alpha * 255 + dc * keep + 32512) / 65025;
            };
            dst[x] =
                qRgb(mix(qRed(s), qRed(d)), mix(qGreen(s), qGreen(d)), mix(qBlue(s), qBlue(d)));
        }
    }
}

}  // namespace

QColor BoardPainter::BackgroundColor() const {
    return ColorFromBgr(view_.Presentation.BackgroundColor);
}

std::string BoardPainter::CellPicturePath(int32_t value) const {
    const PresentationSettings& look = view_.Presentation;
    return value != 0 ? TilePicturePath(look.PictureSetFolder, value)
                      : BackgroundPicturePath(ColorToIndex(look.BackgroundColor));
}

void BoardPainter::PaintBoard() {
    const TMyArray& board = view_.Board();
    PictureReader files(pictureBuffer_);
    const int32_t cols = std::min<int32_t>(view_.ColCount(), static_cast<int32_t>(board.size()));
    for (int32_t i = 0; i < cols; ++i) {
        const int32_t rows =
            std::min<int32_t>(view_.RowCount(), static_cast<int32_t>(board[i].size()));
        for (int32_t j = 0; j < rows; ++j) PaintCellPicture(files, i, j, board[i][j]);
    }
}

void BoardPainter::PaintCellPicture(PictureReader& files, int32_t col, int32_t row, int32_t value) {
    const std::span<const unsigned char> file =
        files.Read(CellPicturePath(value), CellPictureMaxBytes);
    QImage& surface = box_.Surface();
    const QPoint at(ColToX(col), RowToY(row));
    // The common case, a plain picture on an unscaled screen, goes straight into the surface.
    if (surface.devicePixelRatio() == 1 && DrawPlainBmp(file, surface, at)) return;
    cellBitmap_ = DecodeBmp(file);
    QPainter painter(&surface);
    // Pictures are 50 x 50 files; a scaled screen stretches them, and should do so smoothly.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(at, cellBitmap_);
}

void BoardPainter::PaintCell(int32_t col, int32_t row, int32_t value) {
    PictureReader files(pictureBuffer_);
    PaintCellPicture(files, col, row, value);
}

void BoardPainter::PaintMarkedCell(int32_t col, int32_t row, int32_t value) {
    PictureReader files(pictureBuffer_);
    PaintCellPicture(files, col, row, 0);
    cellBitmap_ = QImage();
    cellBitmap_ = DecodeBmp(files.Read(CellPicturePath(value), CellPictureMaxBytes));
    BlendConstant(box_.Surface(), QPoint(ColToX(col), RowToY(row)), cellBitmap_, MarkOpacity);
}

void BoardPainter::PaintInfoLine(const QFont& font) {
    if (!view_.Playing) return;
    QPainter painter(&box_.Surface());
    painter.setPen(InfoColorsOn(view_.Presentation.BackgroundColor).text);
    painter.setFont(font);
    const QColor background = BackgroundColor();
    const InfoTexts& texts = view_.InfoLine();
    for (size_t i = 0; i < texts.size(); ++i) {
        InfoText& laid = infoTexts_[i];
        if (laid.text != texts[i] || laid.font != font) {
            const QString text = QString::fromStdString(texts[i]);
            laid.text = texts[i];
            laid.font = font;
            laid.layout.setText(text);
            laid.layout.prepare(QTransform(), font);
            const QFontMetrics metrics(font);
            laid.size = QSize(metrics.horizontalAdvance(text), metrics.height());
        }
        // Opaque text: its own box is filled first, so a blank wipes out the last value.
        painter.fillRect(QRect(QPoint(InfoLeft[i], InfoTop), laid.size), background);
        painter.drawStaticText(InfoLeft[i], InfoTop, laid.layout);
    }
}

void BoardPainter::PaintTimeBar() {
    const int grade = view_.Difficulty + 1;
    const int time = view_.TimeLeft;
    const InfoColors colors = InfoColorsOn(view_.Presentation.BackgroundColor);
    QPainter painter(&box_.Surface());
    // Right and bottom edges of the bar's rectangles lie outside them.
    const int frameRight = 450 + 100 * grade;
    painter.fillRect(QRect(450, 10, frameRight - 450, 20), colors.text);
    painter.fillRect(QRect(451, 11, frameRight - 452, 18), BackgroundColor());
    const int fillRight = 449 + grade * time;
    if (fillRight > 451) painter.fillRect(QRect(451, 11, fillRight - 451, 18), colors.fill);
    // Right of the frame the panel shows: the surface keeps what it had when the window shrank,
    // which after a larger grade is the rest of its longer bar.
    const int stripRight = box_.width();
    if (stripRight > frameRight) {
        painter.fillRect(QRect(frameRight, 0, stripRight - frameRight, InfoLineHeight),
                         box_.FillColor());
    }
}

void BoardPainter::PaintLinkPath(bool show) {
    if (view_.LinkPath.empty()) return;
    QPolygon line;
    for (TCell cell : view_.LinkPath) line << QPoint(ColToX(cell.X) + 25, RowToY(cell.Y) + 25);
    QPainter painter(&box_.Surface());
    painter.setPen(
        QPen(show ? InfoColorsOn(view_.Presentation.BackgroundColor).fill : BackgroundColor(), 5,
             Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(line);
}

}  // namespace tessaly
