#include "ui/main_paint_box.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace tessaly {

namespace {

// For latency measurements (scripts/measure-key-latency): prints the wall-clock time at which
// each repaint of the board has reached the screen.
void LogPaint(QObject* context) {
    static const bool wanted = qEnvironmentVariableIsSet("TESSALY_PAINT_LOG");
    if (!wanted) return;
    // The next turn of the loop comes after the paint has been flushed to the screen.
    QTimer::singleShot(0, context, [] {
        const auto now = std::chrono::system_clock::now().time_since_epoch();
        std::printf("paint %lld\n",
                    static_cast<long long>(
                        std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
        std::fflush(stdout);
    });
}

}  // namespace

MainPaintBox::MainPaintBox(QWidget* parent) : QWidget(parent) {
    // The surface covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void MainPaintBox::paintEvent(QPaintEvent* event) {
    if (surface_.devicePixelRatio() != devicePixelRatioF()) {
        ResizeSurface(size());
        if (onRatioChange_) QMetaObject::invokeMethod(this, onRatioChange_, Qt::QueuedConnection);
    }
    const QRect area = event->rect();
    const qreal ratio = surface_.devicePixelRatio();
    // The source rectangle counts the image's own pixels, not logical ones.
    QPainter painter(this);
    painter.drawImage(area, surface_,
                      QRectF(QPointF(area.topLeft()) * ratio, QSizeF(area.size()) * ratio));
    LogPaint(this);
}

void MainPaintBox::ResizeSurface(QSize size) {
    const qreal ratio = devicePixelRatioF();
    if (size.isEmpty() ||
        (size == surface_.deviceIndependentSize().toSize() && ratio == surface_.devicePixelRatio()))
        return;
    // Keep what was drawn: a resize is not a redraw.
    QImage grown((QSizeF(size) * ratio).toSize(), QImage::Format_RGB32);
    grown.setDevicePixelRatio(ratio);
    grown.fill(fillColor_);
    if (!surface_.isNull()) {
        QPainter painter(&grown);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QPointF(0, 0), surface_);
    }
    surface_ = std::move(grown);
}

void MainPaintBox::resizeEvent(QResizeEvent* event) {
    ResizeSurface(event->size());
    QWidget::resizeEvent(event);
}

void MainPaintBox::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown_) {
        // Whole logical pixels by truncation: on a scaled screen a press on a cell's last device
        // pixel lies at x.5, which rounding would hand to the next cell.
        const QPointF at = event->position();
        onMouseDown_(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
    }
}

}  // namespace tessaly
