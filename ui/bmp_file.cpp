#include "ui/bmp_file.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <cstdint>
#include <optional>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define TESSALY_X86 1
#endif

namespace tessaly {

namespace {

uint32_t ReadU32(const unsigned char* p) {
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

uint16_t ReadU16(const unsigned char* p) {
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

std::span<const unsigned char> Bytes(const QByteArray& data) {
    return {reinterpret_cast<const unsigned char*>(data.constData()),
            static_cast<std::size_t>(data.size())};
}

constexpr int64_t FileHeaderSize = 14;
constexpr int64_t CoreHeaderSize = 12;
constexpr int64_t InfoHeaderSize = 40;
// Far beyond any picture of the game; keeps a lying header from asking for gigabytes.
constexpr int64_t MaxSide = 16384;

enum Compression : uint32_t { Rgb = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };

// Both conversions give what Qt's reader gives for these files: RGB32, fully opaque; the
// fourth byte of a 32-bit pixel is not alpha without a mask that says so.
void Rows24Plain(const unsigned char* src, QRgb* dst, int count) {
    for (int i = 0; i < count; ++i, src += 3) {
        dst[i] = 0xFF000000u | uint32_t{src[2]} << 16 | uint32_t{src[1]} << 8 | src[0];
    }
}

void Rows32(const unsigned char* src, QRgb* dst, int count) {
    for (int i = 0; i < count; ++i, src += 4) dst[i] = 0xFF000000u | (ReadU32(src) & 0xFFFFFFu);
}

#ifdef TESSALY_X86
__attribute__((target("ssse3"))) void Rows24Ssse3(const unsigned char* src, QRgb* dst, int count) {
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i opaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    int i = 0;
    // Sixteen bytes are loaded for the twelve of four pixels: only while all sixteen are the row's.
    for (; i + 6 <= count; i += 4) {
        const __m128i in = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + 3 * i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + i),
                         _mm_or_si128(_mm_shuffle_epi8(in, spread), opaque));
    }
    Rows24Plain(src + 3 * i, dst + i, count - i);
}

bool CpuHasSsse3() {
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}
#else
bool CpuHasSsse3() {
    return false;
}
#endif

bool useVectorisedRows = true;

using RowConversion = void (*)(const unsigned char*, QRgb*, int);

RowConversion Rows24() {
#ifdef TESSALY_X86
    if (useVectorisedRows && CpuHasSsse3()) return Rows24Ssse3;
#endif
    return Rows24Plain;
}

}  // namespace

bool UseVectorisedBmpRows(bool use) {
    useVectorisedRows = use;
    return CpuHasSsse3();
}

bool BmpDataIsComplete(std::span<const unsigned char> data) {
    const int64_t size = static_cast<int64_t>(data.size());
    if (size < FileHeaderSize + CoreHeaderSize || data[0] != 'B' || data[1] != 'M') return false;
    const unsigned char* d = data.data();
    const int64_t offBits = ReadU32(d + 10);
    const int64_t headerSize = ReadU32(d + 14);

    int64_t width = 0;
    int64_t height = 0;
    int bitCount = 0;
    uint32_t compression = Rgb;
    int64_t colorsUsed = 0;
    int64_t paletteEntrySize = 4;
    if (headerSize == CoreHeaderSize) {
        width = ReadU16(d + 18);
        height = ReadU16(d + 20);
        bitCount = ReadU16(d + 24);
        paletteEntrySize = 3;
    } else if (headerSize == InfoHeaderSize || headerSize == 52 || headerSize == 56 ||
               headerSize == 108 || headerSize == 124) {
        if (size < FileHeaderSize + headerSize) return false;
        width = static_cast<int32_t>(ReadU32(d + 18));
        height = static_cast<int32_t>(ReadU32(d + 22));
        bitCount = ReadU16(d + 28);
        compression = ReadU32(d + 30);
        colorsUsed = ReadU32(d + 46);
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

bool BmpDataIsComplete(const QByteArray& data) {
    return BmpDataIsComplete(Bytes(data));
}

namespace {

// Where the rows of a plain BMP lie; only for data that BmpDataIsComplete accepts.
struct PlainLayout {
    int width = 0;
    int height = 0;
    bool topDown = false;
    int bitCount = 0;
    std::size_t stride = 0;
    const unsigned char* pixels = nullptr;
};

std::optional<PlainLayout> PlainLayoutOf(std::span<const unsigned char> data) {
    const unsigned char* d = data.data();
    const int bitCount = ReadU16(d + 28);
    if (ReadU32(d + 14) != InfoHeaderSize || ReadU16(d + 26) != 1 || ReadU32(d + 30) != Rgb ||
        (bitCount != 24 && bitCount != 32)) {
        return std::nullopt;
    }
    PlainLayout plain;
    plain.width = static_cast<int32_t>(ReadU32(d + 18));
    const int signedHeight = static_cast<int32_t>(ReadU32(d + 22));
    plain.topDown = signedHeight < 0;
    plain.height = plain.topDown ? -signedHeight : signedHeight;
    plain.bitCount = bitCount;
    plain.stride = (static_cast<std::size_t>(plain.width) * bitCount + 31) / 32 * 4;
    plain.pixels = d + ReadU32(d + 10);
    return plain;
}

void Draw(const PlainLayout& plain, QImage& target, QPoint at) {
    const QRect area = QRect(at, QSize(plain.width, plain.height)).intersected(target.rect());
    if (area.isEmpty()) return;
    const RowConversion convert = plain.bitCount == 24 ? Rows24() : Rows32;
    const std::size_t skip = static_cast<std::size_t>(area.left() - at.x()) * (plain.bitCount / 8);
    uchar* bits = target.bits();
    const qsizetype bytesPerLine = target.bytesPerLine();
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const int row = y - at.y();
        const auto fileRow = static_cast<std::size_t>(plain.topDown ? row : plain.height - 1 - row);
        auto* dst = reinterpret_cast<QRgb*>(bits + y * bytesPerLine) + area.left();
        convert(plain.pixels + fileRow * plain.stride + skip, dst, area.width());
    }
}

}  // namespace

bool DrawPlainBmp(std::span<const unsigned char> data, QImage& target, QPoint at) {
    if (target.format() != QImage::Format_RGB32 || !BmpDataIsComplete(data)) return false;
    const std::optional<PlainLayout> plain = PlainLayoutOf(data);
    if (!plain) return false;
    Draw(*plain, target, at);
    return true;
}

QImage DecodeBmp(std::span<const unsigned char> data) {
    if (!BmpDataIsComplete(data)) throw PictureLoadError(BitmapNotValidMessage);
    if (const std::optional<PlainLayout> plain = PlainLayoutOf(data)) {
        QImage image(plain->width, plain->height, QImage::Format_RGB32);
        if (image.isNull()) throw PictureLoadError(BitmapNotValidMessage);
        Draw(*plain, image, QPoint(0, 0));
        return image;
    }
    QBuffer buffer;
    buffer.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(data.data()),
                                           static_cast<qsizetype>(data.size())));
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setDecideFormatFromContent(false);
    reader.setAutoDetectImageFormat(false);
    QImage image;
    if (!reader.read(&image) || image.isNull()) throw PictureLoadError(BitmapNotValidMessage);
    return image;
}

QImage DecodeBmp(const QByteArray& data) {
    return DecodeBmp(Bytes(data));
}

}  // namespace tessaly
