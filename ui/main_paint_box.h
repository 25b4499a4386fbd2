// The board surface. Drawing operations paint into a persistent image that is shown as soon as
// they have painted; the widget's own paint event only copies that image to the screen.
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <functional>

namespace tessaly {

class MainPaintBox : public QWidget {
    Q_OBJECT

  public:
    explicit MainPaintBox(QWidget* parent);

    QImage& surface() { return surface_; }
    const QImage& surface() const { return surface_; }

    // Colour that fills the parts of the surface that appear when it grows.
    void setFillColor(QColor color) { fillColor_ = color; }
    // Gives the surface this size, keeping what was drawn on it.
    void resizeSurface(QSize size);

    // Called with the pixel of every mouse press, whatever the button.
    std::function<void(int x, int y)> onMouseDown;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    QImage surface_;
    QColor fillColor_ = Qt::black;
};

}  // namespace tessaly
