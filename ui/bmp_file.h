// Picture files come from a folder anyone can write to, so they are read as BMP only and checked
// against their own header before a single pixel is trusted.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <cstddef>
#include <span>
#include <stdexcept>

namespace tessaly {

// A picture that could not be read; what() is the text the player sees.
class PictureLoadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* BitmapNotValidMessage = "Bitmap image is not valid";

// A cell picture is 50 x 50; this leaves room for any depth, header and palette.
inline constexpr std::size_t CellPictureMaxBytes = 64 * 1024;
// The start picture may have any size; it is still read whole into memory.
inline constexpr std::size_t StartPictureMaxBytes = 64 * 1024 * 1024;

// The picture in a whole BMP file held in memory; throws PictureLoadError(BitmapNotValidMessage).
QImage DecodeBmp(std::span<const unsigned char> data);
QImage DecodeBmp(const QByteArray& data);

// True when `data` starts with a BMP header whose pixel data lies wholly inside `data`.
bool BmpDataIsComplete(std::span<const unsigned char> data);
bool BmpDataIsComplete(const QByteArray& data);

// Writes a plain BMP (uncompressed, 24 or 32 bits a pixel, the common 40-byte header) straight
// into `target`, an RGB32 image, with the picture's top-left pixel at `at` in the target's own
// pixels; what falls outside the target is cut. The pixels are exactly those of DecodeBmp drawn
// there. Returns false, having written nothing, for any other BMP, valid or not.
bool DrawPlainBmp(std::span<const unsigned char> data, QImage& target, QPoint at);

// For tests: false makes DrawPlainBmp convert rows one pixel at a time, as it does on a CPU
// without SSSE3. Returns whether the vectorised conversion is available on this CPU.
bool UseVectorisedBmpRows(bool use);

}  // namespace tessaly
