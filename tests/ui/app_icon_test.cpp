// The icon at the sizes of menus and title bars.
#include "drawing/app_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "colour_figures.h"

namespace tessaly::test {
namespace {

// No half-covered pixels, and an outline that stands out from a light panel wherever the
// drawing meets it.
TEST(AppIcon, SmallSizesDrawWholePixelsThatStandOutFromALightPanel) {
    const QColor panel(0xef, 0xef, 0xef);
    for (int size : {16, 22, 24}) {
        SCOPED_TRACE(size);
        QImage icon(size, size, QImage::Format_ARGB32);
        icon.fill(Qt::transparent);
        QPainter painter(&icon);
        PaintAppIcon(painter, size);
        painter.end();
        int partial = 0, weakEdges = 0, red = 0;
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                const int alpha = qAlpha(icon.pixel(x, y));
                partial += alpha != 0 && alpha != 255;
                red += icon.pixelColor(x, y) == QColor(230, 20, 20);
                const bool meetsPanel = (x > 0 && qAlpha(icon.pixel(x - 1, y)) == 0) ||
                                        (y > 0 && qAlpha(icon.pixel(x, y - 1)) == 0) ||
                                        (x + 1 < size && qAlpha(icon.pixel(x + 1, y)) == 0) ||
                                        (y + 1 < size && qAlpha(icon.pixel(x, y + 1)) == 0);
                if (alpha == 255 && meetsPanel) {
                    weakEdges += ContrastRatio(icon.pixelColor(x, y), panel) < 3;
                }
            }
        }
        EXPECT_EQ(partial, 0);
        EXPECT_EQ(weakEdges, 0);
        EXPECT_GE(red, size);  // the link, at full intensity
    }
}

}  // namespace
}  // namespace tessaly::test
