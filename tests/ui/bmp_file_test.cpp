#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QBuffer>
#include <QDir>
#include <QFile>

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

TEST(BmpFile, ReadsCompleteFilesOfEveryCommonDepth) {
    ResourceFolder folder;
    QImage colour(7, 5, QImage::Format_RGB888);  // odd width: rows need padding
    colour.fill(QColor(10, 120, 230));
    const QImage cases[] = {
        colour,
        colour.convertToFormat(QImage::Format_RGB32),
        colour.convertToFormat(QImage::Format_Indexed8),
        colour.convertToFormat(QImage::Format_Mono),
    };
    for (const QImage& image : cases) {
        folder.WriteBytes("case.bmp", BmpBytes(image));
        const QImage loaded = LoadBmpFile("./resource/case.bmp");
        EXPECT_EQ(loaded.size(), QSize(7, 5)) << image.format();
        EXPECT_EQ(loaded.pixel(6, 4), image.pixel(6, 4)) << image.format();
    }
}

TEST(BmpFile, TopDownRowsAreAccepted) {
    ResourceFolder folder;
    QByteArray bytes = BmpBytes(test::SolidCell(Qt::green));
    const qint32 negative = -50;
    bytes.replace(22, 4, reinterpret_cast<const char*>(&negative), 4);
    folder.WriteBytes("down.bmp", bytes);
    EXPECT_EQ(LoadBmpFile("./resource/down.bmp").pixelColor(1, 1), QColor(Qt::green));
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
    // The start picture may be far larger than a cell.
    EXPECT_EQ(LoadError("./resource/huge.bmp", StartPictureMaxBytes), "loaded");
}

}  // namespace
}  // namespace tessaly
