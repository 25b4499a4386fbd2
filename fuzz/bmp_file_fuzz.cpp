// Any file named like a picture must load or be refused as not valid, without a crash, a leak or
// a read past its end; a picture that loads is as wide as its header says, and one that the fast
// path draws is drawn exactly as Qt's reader would.
#include <QByteArray>
#include <cstddef>
#include <cstdint>

#include "ui/bmp_file.h"

namespace {

std::uint32_t U32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so that a read past the end is caught.
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const QImage image = tessaly::DecodeBmp(bytes);
        // Only a complete file loads, and every header kind carries the width at offset 18.
        const bool core = U32(data + 14) == 12;
        const std::int64_t width = core ? std::int64_t{data[18] | data[19] << 8}
                                        : static_cast<std::int32_t>(U32(data + 18));
        if (image.width() != width) __builtin_trap();
        if (image.format() == QImage::Format_RGB32 && image.height() <= 64 && width <= 64) {
            const QImage byQt = QImage::fromData(bytes, "BMP");
            if (byQt.isNull() || byQt.convertToFormat(QImage::Format_RGB32) != image) {
                __builtin_trap();
            }
        }
    } catch (const tessaly::PictureLoadError&) {
    }
    return 0;
}
