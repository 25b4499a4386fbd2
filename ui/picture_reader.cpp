#include "ui/picture_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>

#include "ui/regular_file.h"

namespace tessaly {

namespace {

[[noreturn]] void ThrowCannotOpen(std::string_view path, const std::string& reason) {
    const QString relative =
        QString::fromLocal8Bit(path.data(), static_cast<qsizetype>(path.size()));
    const QString fullPath = QDir::cleanPath(QDir::current().absoluteFilePath(relative));
    throw PictureLoadError(QStringLiteral("Cannot open file \"%1\". %2")
                               .arg(fullPath, QString::fromLocal8Bit(reason.c_str()))
                               .toStdString());
}

}  // namespace

PictureReader::~PictureReader() {
    for (const Folder& folder : folders_) {
        if (folder.fd >= 0) ::close(folder.fd);
    }
}

const PictureReader::Folder& PictureReader::FolderOf(std::string_view path) {
    for (const Folder& folder : folders_) {
        if (folder.path == path) return folder;
    }
    Folder folder{std::string(path)};
    // O_PATH: the folder is only looked in, never read as a file.
    folder.fd = ::open(folder.path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (folder.fd < 0) folder.error = errno;
    folders_.push_back(std::move(folder));
    return folders_.back();
}

std::span<const unsigned char> PictureReader::Read(std::string_view path, std::size_t maxBytes) {
    const std::size_t slash = path.rfind('/');
    const std::string_view folderPath =
        slash == std::string_view::npos ? "." : path.substr(0, slash + 1);
    const std::string name(slash == std::string_view::npos ? path : path.substr(slash + 1));
    const Folder& folder = FolderOf(folderPath);
    // A folder that cannot be opened fails its files with the reason a whole path would give.
    if (folder.fd < 0) ThrowCannotOpen(path, std::strerror(folder.error));
    const FileReadInto file = ReadRegularFileAt(folder.fd, name.c_str(), maxBytes, buffer_);
    if (!file.Ok()) ThrowCannotOpen(path, file.reason);
    return {buffer_.data(), file.size};
}

QImage LoadBmpFile(const QString& path, std::size_t maxBytes) {
    std::vector<unsigned char> buffer;
    PictureReader reader(buffer);
    return DecodeBmp(reader.Read(QFile::encodeName(path).toStdString(), maxBytes));
}

}  // namespace tessaly
