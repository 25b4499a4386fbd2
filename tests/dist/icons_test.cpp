// The desktop's icon files are the window icon, at every size a menu asks for and scalable.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <array>
#include <cstdlib>

#include "drawing/app_icon.h"

namespace {

QString IconFile(const QString& size, const QString& suffix) {
    return QString(TESSALY_ICON_DIR "/hicolor/%1/apps/" TESSALY_APP_ID ".%2").arg(size, suffix);
}

QImage Premultiplied(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(DesktopIcons, EveryMenuSizeIsTheWindowIconAtThatSize) {
    const QIcon window = tessaly::MakeAppIcon();
    for (int size : std::array{16, 22, 24, 32, 48, 64, 128, 256}) {
        SCOPED_TRACE(size);
        const QImage file(IconFile(QString("%1x%1").arg(size), "png"));
        ASSERT_FALSE(file.isNull());
        EXPECT_EQ(file.size(), QSize(size, size));
        EXPECT_EQ(Premultiplied(file), Premultiplied(window.pixmap(size).toImage()));
    }
}

TEST(DesktopIcons, ScalableIconDrawsLikeTheLargestPicture) {
    QSvgRenderer svg(IconFile("scalable", "svg"));
    ASSERT_TRUE(svg.isValid());
    QImage drawn(256, 256, QImage::Format_ARGB32_Premultiplied);
    drawn.fill(Qt::transparent);
    QPainter painter(&drawn);
    svg.render(&painter);
    painter.end();

    const QImage png = Premultiplied(QImage(IconFile("256x256", "png")));
    // Edges may be smoothed a little differently; the shapes and colours must agree.
    int differing = 0;
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const QRgb a = drawn.pixel(x, y), b = png.pixel(x, y);
            if (std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                    std::abs(qBlue(a) - qBlue(b)) + std::abs(qAlpha(a) - qAlpha(b)) >
                32) {
                ++differing;
            }
        }
    }
    EXPECT_LT(differing, 256 * 256 / 100);
}

}  // namespace
