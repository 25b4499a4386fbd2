#include "ui/bmp_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <cstdint>

#include "ui/regular_file.h"

namespace tessaly {

namespace {

uint32_t ReadU32(const QByteArray& d, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(d.constData()) + at;
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint16_t ReadU16(const QByteArray& d, qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(d.constData()) + at;
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

constexpr int64_t FileHeaderSize = 14;
constexpr int64_t CoreHeaderSize = 12;
constexpr int64_t InfoHeaderSize = 40;
// Far beyond any picture of the game; keeps a lying header from asking for gigabytes.
constexpr int64_t MaxSide = 16384;

enum Compression : uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

}  // namespace

bool BmpDataIsComplete(const QByteArray& data) {
    const int64_t size = data.size();
    if (size < FileHeaderSize + CoreHeaderSize || data[0] != 'B' || data[1] != 'M') return false;
    const int64_t offBits = ReadU32(data, 10);
    const int64_t headerSize = ReadU32(data, 14);

    int64_t width = 0;
    int64_t height = 0;
    int bitCount = 0;
    uint32_t compression = Rgb;
    int64_t colorsUsed = 0;
    int64_t paletteEntrySize = 4;
    if (headerSize == CoreHeaderSize) {
        width = ReadU16(data, 18);
        height = ReadU16(data, 20);
        bitCount = ReadU16(data, 24);
        paletteEntrySize = 3;
    } else if (headerSize == InfoHeaderSize || headerSize == 52 || headerSize == 56 ||
               headerSize == 108 || headerSize == 124) {
        if (size < FileHeaderSize + headerSize) return false;
        width = static_cast<int32_t>(ReadU32(data, 18));
        height = static_cast<int32_t>(ReadU32(data, 22));
        bitCount = ReadU16(data, 28);
        compression = ReadU32(data, 30);
        colorsUsed = ReadU32(data, 46);
    } else {
        return false;
    }
    if (height < 0) height = -height;  // top-down rows
    if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide) return false;

    int64_t tablesSize = 0;
    switch (bitCount) {
        case 1:
        case 4:
        case 8:
            if (compression != Rgb) return false;
            if (colorsUsed == 0 || colorsUsed > (int64_t{1} << bitCount)) {
                colorsUsed = int64_t{1} << bitCount;
            }
            tablesSize = colorsUsed * paletteEntrySize;
            break;
        case 16:
        case 24:
        case 32:
            if (compression == BitFields || compression == AlphaBitFields) {
                if (bitCount == 24) return false;
                // The masks follow a plain info header; the larger headers carry them inside.
                if (headerSize == InfoHeaderSize) tablesSize = compression == BitFields ? 12 : 16;
            } else if (compression != Rgb) {
                return false;
            }
            break;
        default:
            return false;
    }
    // Run-length data has no length that rows could be checked against, so it is refused above.

    if (offBits < FileHeaderSize + headerSize + tablesSize) return false;
    const int64_t stride = (width * bitCount + 31) / 32 * 4;
    return size >= offBits + stride * height;
}

QImage LoadBmpFile(const QString& path, std::size_t maxBytes) {
    const FileReadResult file = ReadRegularFile(QFile::encodeName(path).toStdString(), maxBytes);
    if (!file.ok()) {
        const QString fullPath = QDir::cleanPath(QDir::current().absoluteFilePath(path));
        throw PictureLoadError(QStringLiteral("Cannot open file \"%1\". %2")
                                   .arg(fullPath, QString::fromLocal8Bit(file.reason))
                                   .toStdString());
    }
    return DecodeBmp(
        QByteArray::fromRawData(file.bytes.data(), static_cast<qsizetype>(file.bytes.size())));
}

QImage DecodeBmp(const QByteArray& data) {
    if (!BmpDataIsComplete(data)) throw PictureLoadError(BitmapNotValidMessage);
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAutoDetectImageFormat(false);
    QImage image;
    if (!reader.read(&image) || image.isNull()) throw PictureLoadError(BitmapNotValidMessage);
    return image;
}

}  // namespace tessaly
