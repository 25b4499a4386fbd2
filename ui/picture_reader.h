// Reads picture files whole into one buffer that is reused from file to file. A full redraw reads
// up to 198 files from two folders, so each folder is opened once per drawing operation and its
// files are looked up by their own names; a file replaced meanwhile shows from its next drawing
// on, a folder replaced from the next operation on.
#pragma once

#include <QImage>
#include <QString>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "ui/bmp_file.h"

namespace tessaly {

class PictureReader {
  public:
    explicit PictureReader(std::vector<unsigned char>& buffer) : buffer_(buffer) {}
    ~PictureReader();
    PictureReader(const PictureReader&) = delete;
    PictureReader& operator=(const PictureReader&) = delete;

    // The bytes of the file at `path` (a relative path resolves against the current directory),
    // valid until the next Read. Only a regular file of at most `maxBytes` is read. Throws
    // PictureLoadError with "Cannot open file "<full path>". <reason>" when it cannot be read.
    std::span<const unsigned char> Read(std::string_view path, std::size_t maxBytes);

  private:
    struct Folder {
        std::string path;
        int fd = -1;
        int error = 0;  // errno of a folder that could not be opened
    };
    const Folder& FolderOf(std::string_view path);

    std::vector<Folder> folders_;
    std::vector<unsigned char>& buffer_;
};

// Reads and decodes the BMP file at `path`; throws PictureLoadError as PictureReader::Read and
// as DecodeBmp do.
QImage LoadBmpFile(const QString& path, std::size_t maxBytes = StartPictureMaxBytes);

}  // namespace tessaly
