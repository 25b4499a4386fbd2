#include "resource_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <filesystem>
#include <system_error>

#include "background_art.h"
#include "game/resource_layout.h"

namespace tessaly::picgen {

QString SaveBmp(const QImage& image, const QString& path) {
    // Written beside the target and renamed over it. No sync per file: a build writes over a
    // thousand of them, and a lost folder is simply generated again.
    const QString partial = path + QStringLiteral(".part");
    QFile file(partial);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        return QStringLiteral("cannot write %1: %2").arg(partial, file.errorString());
    }
    // Qt writes RGB888 images as plain 24-bit BMPs without compression.
    QImageWriter writer(&file, "bmp");
    const bool written = writer.write(image.convertToFormat(QImage::Format_RGB888));
    file.close();
    if (!written || file.error() != QFileDevice::NoError) {
        const QString why = written ? file.errorString() : writer.errorString();
        file.remove();
        return QStringLiteral("cannot write %1: %2").arg(path, why);
    }
    std::error_code error;
    std::filesystem::rename(partial.toStdString(), path.toStdString(), error);
    if (error) {
        file.remove();
        return QStringLiteral("cannot write %1: %2")
            .arg(path, QString::fromStdString(error.message()));
    }
    return {};
}

QString WriteResourcePictures(const PictureMaker& maker, const QString& resourceDir) {
    const std::string root = QDir(resourceDir).path().toStdString();
    // Each picture goes into its folder, made first if need be.
    const auto save = [](const QImage& picture, const std::string& file) -> QString {
        const QString path = QString::fromStdString(file);
        const QString folder = QFileInfo(path).path();
        if (!QDir().mkpath(folder))
            return QStringLiteral("cannot create the folder %1").arg(folder);
        return SaveBmp(picture, path);
    };
    for (int set = 1; set <= PictureSetCount; ++set) {
        const std::string folder = PictureSetFolderOf(set);
        for (int kind = 1; kind <= TilesPerSet; ++kind) {
            const QString error = save(maker.Tile(set, kind), TilePicturePath(folder, kind, root));
            if (!error.isEmpty()) return error;
        }
    }
    for (int number = 1; number <= BackgroundCount; ++number) {
        const QString error = save(maker.Background(number), BackgroundPicturePath(number, root));
        if (!error.isEmpty()) return error;
    }
    return save(maker.StartPicture(), StartPicturePath(root));
}

}  // namespace tessaly::picgen
