#include "resource_writer.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <filesystem>
#include <system_error>

#include "background_art.h"

namespace tessaly::picgen {

QString saveBmp(const QImage& image, const QString& path) {
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

QString writeResourcePictures(const PictureMaker& maker, const QString& resourceDir) {
    const QDir root(resourceDir);
    const auto makeFolder = [&root](const QString& name) -> QString {
        if (root.mkpath(name)) return {};
        return QStringLiteral("cannot create the folder %1").arg(root.filePath(name));
    };
    for (int set = 1; set <= kSetCount; ++set) {
        const QString folder = QStringLiteral("pic%1").arg(set);
        if (QString error = makeFolder(folder); !error.isEmpty()) return error;
        for (int kind = 1; kind <= kTilesPerSet; ++kind) {
            const QString path = root.filePath(QStringLiteral("%1/%2.bmp").arg(folder).arg(kind));
            if (QString error = saveBmp(maker.tile(set, kind), path); !error.isEmpty()) {
                return error;
            }
        }
    }
    if (QString error = makeFolder(QStringLiteral("BackGround")); !error.isEmpty()) return error;
    for (int number = 1; number <= kBackgroundCount; ++number) {
        const QString path = root.filePath(QStringLiteral("BackGround/%1.bmp").arg(number));
        if (QString error = saveBmp(maker.background(number), path); !error.isEmpty()) {
            return error;
        }
    }
    return saveBmp(maker.startPicture(), root.filePath(QStringLiteral("BackGround/Start.bmp")));
}

}  // namespace tessaly::picgen
