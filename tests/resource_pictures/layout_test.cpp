// The resource folder as the game reads it: every picture present, a plain BMP, the right size.
#include <gtest/gtest.h>

#include <QColor>
#include <array>

#include "picture_files.h"

namespace tessaly::picgen::test {
namespace {

void expectPlainBmp(const QString& relative, QSize size) {
    const QString path = resourcePath(relative);
    EXPECT_EQ(bmpFormatProblem(path), QString()) << qPrintable(relative);
    QString error;
    const QImage image = readBmp(path, &error);
    ASSERT_FALSE(image.isNull()) << qPrintable(relative) << ": " << qPrintable(error);
    if (size.isValid()) {
        EXPECT_EQ(image.size(), size) << qPrintable(relative);
    }
}

TEST(ResourceLayout, EveryTileIsAFiftyPixelUncompressedBmp) {
    for (const QString& relative : tilePaths()) expectPlainBmp(relative, QSize(50, 50));
}

TEST(ResourceLayout, EveryBackgroundAndTheStartPictureIsAnUncompressedBmp) {
    for (const QString& relative : backgroundPaths()) expectPlainBmp(relative, QSize(50, 50));
    expectPlainBmp(QStringLiteral("BackGround/Start.bmp"), QSize());
}

TEST(ResourceLayout, StartPictureFitsTheBoardAreasItIsStretchedTo) {
    // Stretched to 600 x 409 up to 900 x 559: proportions in between distort it least.
    const QImage start = readBmp(resourcePath(QStringLiteral("BackGround/Start.bmp")));
    ASSERT_FALSE(start.isNull());
    const double ratio = double(start.width()) / start.height();
    EXPECT_GE(ratio, 600.0 / 409);
    EXPECT_LE(ratio, 900.0 / 559);
    EXPECT_GE(start.width(), 600);
}

// The colour table's values as the player knows them, written out here rather than taken from
// the engine, so that a mix-up of the table's blue-green-red order shows.
constexpr std::array<QRgb, 15> kTableColours{
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
    0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF,
};

TEST(ResourceLayout, EachBackgroundIsItsTableColourWithAQuietTexture) {
    for (int number = 1; number <= 15; ++number) {
        const QImage image = readBmp(resourcePath(QStringLiteral("BackGround/%1.bmp").arg(number)));
        ASSERT_FALSE(image.isNull()) << number;
        const QColor colour(kTableColours[number - 1]);
        std::array<double, 3> sum{};
        int near = 0;
        bool flat = true;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                sum[0] += qRed(p), sum[1] += qGreen(p), sum[2] += qBlue(p);
                const int step = std::max({std::abs(qRed(p) - colour.red()),
                                           std::abs(qGreen(p) - colour.green()),
                                           std::abs(qBlue(p) - colour.blue())});
                if (step <= 24) ++near;
                if (p != image.pixel(0, 0)) flat = false;
            }
        }
        const double pixels = image.width() * image.height();
        EXPECT_NEAR(sum[0] / pixels, colour.red(), 16) << "background " << number;
        EXPECT_NEAR(sum[1] / pixels, colour.green(), 16) << "background " << number;
        EXPECT_NEAR(sum[2] / pixels, colour.blue(), 16) << "background " << number;
        EXPECT_GE(near / pixels, 0.9) << "background " << number << " is too busy";
        EXPECT_FALSE(flat) << "background " << number << " has no texture";
    }
}

}  // namespace
}  // namespace tessaly::picgen::test
