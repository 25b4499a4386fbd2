// Picture files come from a folder anyone can write to, so they are read as BMP only and checked
// against their own header before a single pixel is trusted.
#pragma once

#include <QImage>
#include <QString>
#include <cstddef>
#include <stdexcept>
#include <string>

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

// Reads the BMP file at `path` (relative paths resolve against the current directory); only a
// regular file of at most `maxBytes` is read. Throws PictureLoadError with
// "Cannot open file "<full path>". <reason>" when the file cannot be read, and with
// BitmapNotValidMessage when it is not a complete BMP.
QImage LoadBmpFile(const QString& path, std::size_t maxBytes = StartPictureMaxBytes);

// The picture in a whole BMP file held in memory; throws PictureLoadError(BitmapNotValidMessage).
QImage DecodeBmp(const QByteArray& data);

// True when `data` starts with a BMP header whose pixel data lies wholly inside `data`.
bool BmpDataIsComplete(const QByteArray& data);

}  // namespace tessaly
