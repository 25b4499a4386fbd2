// The board surface. Drawing operations paint into a persistent image that is shown as soon as
// they have painted; the widget's own paint event only copies that image to the screen. The
// image keeps the design's logical pixels but is backed at the screen's device pixel ratio, so
// that texts and lines are drawn at the screen's own resolution on scaled desktops.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>
#include <utility>

namespace tessaly {

class MainPaintBox : public QWidget {
    Q_OBJECT

  public:
    explicit MainPaintBox(QWidget* parent);

    QImage& Surface() { return surface_; }
    const QImage& Surface() const { return surface_; }

    // Colour that fills the parts of the surface that appear when it grows: the panel's.
    void SetFillColor(QColor color) { fillColor_ = color; }
    QColor FillColor() const { return fillColor_; }
    // Gives the surface this logical size at the screen's ratio, keeping what was drawn on it.
    void ResizeSurface(QSize size);

    // Called with the pixel of every mouse press, whatever the button.
    void SetOnMouseDown(std::function<void(int x, int y)> handler) {
        onMouseDown_ = std::move(handler);
    }
    // Called, from the event loop, once the window has moved to a screen of another ratio:
    // what was drawn has only been rescaled and wants a full redraw.
    void SetOnRatioChange(std::function<void()> handler) { onRatioChange_ = std::move(handler); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QImage surface_;
    QColor fillColor_ = Qt::black;
    std::function<void(int x, int y)> onMouseDown_;
    std::function<void()> onRatioChange_;
};

}  // namespace tessaly
