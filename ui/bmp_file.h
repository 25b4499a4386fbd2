// Picture files come from a folder anyone can write to, so they are read as BMP only and checked
// against their own header before a single pixel is trusted.
#pragma once

#include <QImage>
#include <QString>
#include <stdexcept>
#include <string>

namespace tessaly {

// A picture that could not be read; what() is the text the player sees.
class PictureLoadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* BitmapNotValidMessage = "Bitmap image is not valid";

// Reads the BMP file at `path` (relative paths resolve against the current directory).
// Throws PictureLoadError with "Cannot open file "<full path>". <reason>" when the file cannot be
// opened, and with BitmapNotValidMessage when it is not a complete BMP.
QImage LoadBmpFile(const QString& path);

// True when `data` starts with a BMP header whose pixel data lies wholly inside `data`.
bool BmpDataIsComplete(const QByteArray& data);

}  // namespace tessaly
