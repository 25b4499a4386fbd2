// The drawing operations of the main window: each has the board painter paint from the game's
// view straight into the board surface and has it shown; a picture that cannot be read ends the
// operation and goes to the error box.
#include "game/resource_layout.h"
#include "ui/bmp_file.h"
#include "ui/main_form.h"
#include "ui/picture_reader.h"

namespace tessaly {

QFont MainForm::InfoFont() const {
    QFont info = font();
    info.setPointSize(10);
    return info;
}

void MainForm::Guarded(const std::function<void()>& draw) {
    try {
        draw();
    } catch (const PictureLoadError& error) {
        errorBox_->Report(QString::fromUtf8(error.what()));
    }
    MainPaintBox->update();
}

void MainForm::MainPaintBoxPaint() {
    Guarded([this] { PaintAll(); });
}

void MainForm::PaintAll() {
    if (!view_.Playing) {
        ShowStartScreen();
        return;
    }
    painter_->PaintBoard();
    painter_->PaintInfoLine(InfoFont());
    FormResize();
    painter_->PaintTimeBar();
}

void MainForm::DrawCellPicture(int32_t col, int32_t row, int32_t value) {
    Guarded([&] { painter_->PaintCell(col, row, value); });
}

// The cell's value, or nothing (and a warning) for a cell outside the board.
std::optional<int32_t> MainForm::BoardValue(int32_t col, int32_t row) const {
    const std::optional<int32_t> value = view_.ValueAt(col, row);
    if (!value) qWarning("no board cell at %d, %d", col, row);
    return value;
}

void MainForm::DrawCell(int32_t col, int32_t row) {
    const auto value = BoardValue(col, row);
    if (!value) return;
    Guarded([&] { painter_->PaintCell(col, row, *value); });
}

void MainForm::DrawMarkedCell(int32_t col, int32_t row) {
    const auto value = BoardValue(col, row);
    if (!value) return;
    Guarded([&] { painter_->PaintMarkedCell(col, row, *value); });
}

void MainForm::DrawTimeBar() {
    Guarded([this] { painter_->PaintTimeBar(); });
}

void MainForm::DrawLinkPath(bool show) {
    Guarded([&] { painter_->PaintLinkPath(show); });
}

void MainForm::ShowStartScreen() {
    if (StartImage) return;
    StartImage = new QLabel(PanelMain);
    StartImage->setObjectName(QStringLiteral("StartImage"));
    // An empty picture lets the panel's colour show, not the board beneath.
    StartImage->setAutoFillBackground(true);
    StartImage->setPalette(PanelMain->palette());
    StartImage->setGeometry(MainPaintBox->geometry());
    StartImage->show();
    StartImage->raise();
    LoadStartPicture();
}

// The label keeps the picture only as it is shown, stretched to its size: a label that stretched
// it for itself would hold the picture and its stretched copy both, at every moment.
void MainForm::LoadStartPicture() {
    const qreal ratio = StartImage->devicePixelRatio();
    try {
        // Stretched as a label with scaled contents stretches its picture, for the same pixels.
        QPixmap shown = QPixmap::fromImage(
            QPixmap::fromImage(LoadBmpFile(QString::fromStdString(StartPicturePath())))
                .toImage()
                .scaled(StartImage->size() * ratio, Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation));
        shown.setDevicePixelRatio(ratio);
        StartImage->setPixmap(shown);
    } catch (const PictureLoadError& error) {
        StartImage->clear();
        errorBox_->Report(QString::fromUtf8(error.what()));
    }
}

void MainForm::DestroyStartScreen() {
    delete StartImage.data();
}

void MainForm::FormResize() {
    if (!view_.Playing) return;
    const QSize client(CellSize * view_.ColCount(), CellSize * view_.RowCount() + InfoLineHeight);
    if (PanelMain->size() != client) SetClientSize(client);
}

}  // namespace tessaly
