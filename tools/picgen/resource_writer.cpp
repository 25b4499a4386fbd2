#include "resource_writer.h"

#include <QDir>
#include <QImageWriter>
#include <QSaveFile>

#include "background_art.h"

namespace tessaly::picgen {

QString saveBmp(const QImage& image, const QString& path) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
    }
    // Qt writes RGB888 images as plain 24-bit BMPs without compression.
    QImageWriter writer(&file, "bmp");
    if (!writer.write(image.convertToFormat(QImage::Format_RGB888))) {
        file.cancelWriting();
        return QStringLiteral("cannot encode %1: %2").arg(path, writer.errorString());
    }
    if (!file.commit()) {
        return QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
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
