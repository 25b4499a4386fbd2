#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QtEndian>
#include <cstdlib>
#include <span>

#include "resource_folder.h"
#include "ui/picture_reader.h"

namespace tessaly {
namespace {

using test::ResourceFolder;

QByteArray BmpBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

std::string LoadError(const QString& path, std::size_t maxBytes = StartPictureMaxBytes) {
    try {
        LoadBmpFile(path, maxBytes);
    } catch (const PictureLoadError& error) {
        return error.what();
    }
    return "loaded";
}

// A BMP file written field by field, so that every layout can be had: any depth and header,
// rows bottom-up or top-down, and padding bytes that differ from every pixel.
struct Variant {
    const char* what;
    int bits;
    int width;
    int height;  // negative: top-down
    uint32_t header = 40;
    uint32_t compression = 0;
    bool plain = false;  // taken by the fast path
};

QByteArray VariantBytes(const Variant& v) {
    uint32_t seed = static_cast<uint32_t>(v.bits * 7919 + v.width * 104729 + v.height);
    auto next = [&seed] { return static_cast<char>((seed = seed * 1664525u + 1013904223u) >> 24); };
    const int colours = v.bits <= 8 ? 1 << v.bits : 0;
    const uint32_t masks = v.compression == 3 && v.header == 40 ? 12 : 0;
    const int stride = (v.width * v.bits + 31) / 32 * 4;
    const int rows = std::abs(v.height);
    const uint32_t offset = 14 + v.header + masks + 4 * colours;
    QByteArray bytes(static_cast<qsizetype>(offset) + stride * rows, '\0');
    auto put32 = [&](int at, uint32_t value) { qToLittleEndian(value, bytes.data() + at); };
    auto put16 = [&](int at, uint16_t value) { qToLittleEndian(value, bytes.data() + at); };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(2, static_cast<uint32_t>(bytes.size()));
    put32(10, offset);
    put32(14, v.header);
    put32(18, static_cast<uint32_t>(v.width));
    put32(22, static_cast<uint32_t>(v.height));
    put16(26, 1);
    put16(28, static_cast<uint16_t>(v.bits));
    put32(30, v.compression);
    if (v.compression == 3) {  // 5-6-5 or 8-8-8 masks, after the header or inside it
        const bool wide = v.bits == 32;
        put32(54, wide ? 0xFF0000 : 0xF800);
        put32(58, wide ? 0xFF00 : 0x07E0);
        put32(62, wide ? 0xFF : 0x1F);
    }
    for (int i = 0; i < colours; ++i) put32(14 + v.header + masks + 4 * i, next() & 0xFFFFFF);
    for (int row = 0; row < rows; ++row) {
        char* line = bytes.data() + offset + row * stride;
        const int used = (v.width * v.bits + 7) / 8;
        for (int i = 0; i < stride; ++i) line[i] = i < used ? next() : '\xA5';
    }
    return bytes;
}

const Variant Variants[] = {
    {"24 bits, no padding", 24, 4, 3, 40, 0, true},
    {"24 bits, 1 byte of padding", 24, 5, 4, 40, 0, true},
    {"24 bits, 2 bytes of padding", 24, 50, 50, 40, 0, true},
    {"24 bits, 3 bytes of padding", 24, 7, 3, 40, 0, true},
    {"24 bits, one pixel", 24, 1, 1, 40, 0, true},
    {"24 bits, top-down", 24, 50, -50, 40, 0, true},
    {"24 bits, top-down, padded", 24, 9, -6, 40, 0, true},
    {"32 bits, fourth byte set", 32, 13, 5, 40, 0, true},
    {"32 bits, top-down", 32, 6, -7, 40, 0, true},
    {"32 bits, masks", 32, 6, 4, 40, 3},
    {"24 bits, version 4 header", 24, 7, 5, 108},
    {"32 bits, version 5 header", 32, 7, -5, 124},
    {"16 bits", 16, 5, 3},
    {"16 bits, 5-6-5 masks", 16, 5, -3, 40, 3},
    {"8 bits", 8, 7, 5},
    {"8 bits, top-down", 8, 3, -2},
    {"4 bits", 4, 9, 3},
    {"1 bit", 1, 11, 4},
};

// What the window shows of `picture` drawn by Qt at `at` on a surface of `size`.
QImage QtDrawn(const QImage& picture, QSize size, QPoint at) {
    QImage surface(size, QImage::Format_RGB32);
    surface.fill(QColor(1, 2, 3));
    QPainter painter(&surface);
    painter.drawImage(at, picture);
    return surface;
}

// Empty when the fast path draws exactly Qt's pixels, in the middle and cut at every edge, with
// rows converted both ways; else what went wrong.
std::string FastPathDifference(const QByteArray& bytes, bool plain) {
    const QImage byQt = QImage::fromData(bytes, "BMP");
    if (byQt.isNull()) return "Qt does not read it";
    const QSize size = byQt.size() + QSize(20, 12);
    std::string difference;
    for (bool vectorised : {true, false}) {
        UseVectorisedBmpRows(vectorised);
        for (QPoint at : {QPoint(7, 5), QPoint(-3, -2), QPoint(size.width() - 4, size.height() - 2),
                          QPoint(size.width(), 0)}) {
            QImage fast(size, QImage::Format_RGB32);
            fast.fill(QColor(1, 2, 3));
            const auto data = std::span(reinterpret_cast<const unsigned char*>(bytes.constData()),
                                        static_cast<std::size_t>(bytes.size()));
            if (DrawPlainBmp(data, fast, at) != plain) difference = "fast path taken or not";
            if (!plain) fast = QtDrawn(DecodeBmp(bytes), size, at);
            if (fast != QtDrawn(byQt, size, at)) difference = "pixels differ";
        }
    }
    UseVectorisedBmpRows(true);
    return difference;
}

TEST(BmpFile, DrawsExactlyQtsPixelsForEveryLayout) {
    ResourceFolder folder;
    for (const Variant& variant : Variants) {
        const QByteArray bytes = VariantBytes(variant);
        EXPECT_EQ(FastPathDifference(bytes, variant.plain), "") << variant.what;
        folder.WriteBytes("case.bmp", bytes);
        EXPECT_EQ(LoadBmpFile("./resource/case.bmp"), QImage::fromData(bytes, "BMP"))
            << variant.what;
    }
}

TEST(BmpFile, TopDownRowsAndTheLargestSidesAreAccepted) {
    ResourceFolder folder;
    QByteArray bytes = BmpBytes(test::SolidCell(Qt::green));
    const qint32 negative = -50;
    bytes.replace(22, 4, reinterpret_cast<const char*>(&negative), 4);
    folder.WriteBytes("down.bmp", bytes);
    EXPECT_EQ(LoadBmpFile("./resource/down.bmp").pixelColor(1, 1), QColor(Qt::green));
    for (const QSize side : {QSize(16384, 1), QSize(1, 16384)}) {
        folder.WriteBytes("side.bmp", BmpBytes(QImage(side, QImage::Format_RGB888)));
        EXPECT_EQ(LoadBmpFile("./resource/side.bmp").size(), side);
    }
}

TEST(BmpFile, DrawsExactlyQtsPixelsForEveryResourcePicture) {
    int pictures = 0;
    QDirIterator files(QStringLiteral(TESSALY_RESOURCE_DIR), {QStringLiteral("*.bmp")}, QDir::Files,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
        EXPECT_EQ(FastPathDifference(file.readAll(), true), "") << path.toStdString();
        ++pictures;
    }
    EXPECT_GT(pictures, 1000);
}

TEST(BmpFile, IncompleteOrForeignFilesAreNotValid) {
    ResourceFolder folder;
    const QByteArray good = BmpBytes(test::SolidCell(Qt::red));
    QByteArray png;
    {
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        test::SolidCell(Qt::red).save(&buffer, "PNG");
    }
    QByteArray huge = good;  // claims 40000 x 40000 pixels
    const qint32 side = 40000;
    huge.replace(18, 4, reinterpret_cast<const char*>(&side), 4);
    huge.replace(22, 4, reinterpret_cast<const char*>(&side), 4);
    QByteArray lateOffset = good;  // pixel data said to start past the end of the file
    const quint32 offset = 7000;
    lateOffset.replace(10, 4, reinterpret_cast<const char*>(&offset), 4);

    const std::pair<const char*, QByteArray> cases[] = {
        {"last row cut short", good.left(good.size() - 1)},
        {"half the pixels", good.left(good.size() / 2)},
        {"header only", good.left(54)},
        {"header cut short", good.left(20)},
        {"empty", QByteArray()},
        {"png named bmp", png},
        {"text", QByteArray("BM this is not a picture at all")},
        {"dimensions beyond the data", huge},
        {"offset beyond the data", lateOffset},
        {"one pixel wider than the widest", BmpBytes(QImage(16385, 1, QImage::Format_RGB888))},
        {"one pixel higher than the highest", BmpBytes(QImage(1, 16385, QImage::Format_RGB888))},
    };
    for (const auto& [what, bytes] : cases) {
        folder.WriteBytes("bad.bmp", bytes);
        EXPECT_EQ(LoadError("./resource/bad.bmp"), BitmapNotValidMessage) << what;
    }
}

TEST(BmpFile, UnreadableFilesNameTheirFullPathAndTheReasonWithoutBlockingOrReadingOn) {
    ResourceFolder folder;
    ASSERT_EQ(::mkfifo(folder.Path("fifo.bmp").toLocal8Bit().constData(), 0600), 0);
    ASSERT_TRUE(QFile::link("/dev/zero", folder.Path("zero.bmp")));
    // One byte past what a cell picture may hold, with a valid header in front.
    folder.WriteBytes(
        "huge.bmp",
        BmpBytes(test::SolidCell(Qt::red)).leftJustified(CellPictureMaxBytes + 1, '\0'));

    const std::pair<const char*, const char*> cases[] = {
        {"pic1/99.bmp", "No such file or directory"},
        {"pic1", "Not a regular file"},
        {"fifo.bmp", "Not a regular file"},
        {"zero.bmp", "Not a regular file"},
        {"huge.bmp", "File too large"},
    };
    for (const auto& [inside, reason] : cases) {
        const QString full = QDir::current().filePath(QStringLiteral("resource/") + inside);
        EXPECT_EQ(LoadError(QStringLiteral("./resource/") + inside, CellPictureMaxBytes),
                  "Cannot open file \"" + full.toStdString() + "\". " + reason);
    }
    // The start picture may be far larger than a cell; a cell may fill its cap to the byte.
    EXPECT_EQ(LoadError("./resource/huge.bmp", StartPictureMaxBytes), "loaded");
    folder.WriteBytes("full.bmp",
                      BmpBytes(test::SolidCell(Qt::red)).leftJustified(CellPictureMaxBytes, '\0'));
    EXPECT_EQ(LoadError("./resource/full.bmp", CellPictureMaxBytes), "loaded");
}

}  // namespace
}  // namespace tessaly
