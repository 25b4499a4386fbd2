#include "ui/main_paint_box.h"

#include <QMouseEvent>
#include <QPainter>

namespace tessaly {

MainPaintBox::MainPaintBox(QWidget* parent) : QWidget(parent) {
    // The surface covers every pixel, so Qt need not clear the background first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

void MainPaintBox::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawImage(event->rect(), surface_, event->rect());
}

void MainPaintBox::resizeSurface(QSize size) {
    if (size == surface_.size() || size.isEmpty()) return;
    // Keep what was drawn: a resize is not a redraw.
    QImage grown(size, QImage::Format_RGB32);
    grown.fill(fillColor_);
    if (!surface_.isNull()) {
        QPainter painter(&grown);
        painter.drawImage(0, 0, surface_);
    }
    surface_ = std::move(grown);
}

void MainPaintBox::resizeEvent(QResizeEvent* event) {
    resizeSurface(event->size());
    QWidget::resizeEvent(event);
}

void MainPaintBox::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown) {
        const QPoint at = event->position().toPoint();
        onMouseDown(at.x(), at.y());
    }
}

}  // namespace tessaly
