#include "picture_files.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImageReader>

#include "background_art.h"
#include "picture_set.h"

namespace tessaly::picgen::test {

QString resourcePath(const QString& relative) {
    return QDir(QStringLiteral(TESSALY_RESOURCE_DIR)).filePath(relative);
}

QStringList tilePaths() {
    QStringList paths;
    for (int set = 1; set <= PictureSetCount; ++set) {
        for (int kind = 1; kind <= TilesPerSet; ++kind) {
            paths << QStringLiteral("pic%1/%2.bmp").arg(set).arg(kind);
        }
    }
    return paths;
}

QStringList backgroundPaths() {
    QStringList paths;
    for (int number = 1; number <= BackgroundCount; ++number) {
        paths << QStringLiteral("BackGround/%1.bmp").arg(number);
    }
    return paths;
}

QString bmpFormatProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    QDataStream in(&file);
    in.setByteOrder(QDataStream::LittleEndian);
    quint16 magic = 0, planes = 0, bits = 0;
    quint32 fileSize = 0, reserved = 0, dataOffset = 0, infoSize = 0, compression = 0;
    qint32 width = 0, height = 0;
    in >> magic >> fileSize >> reserved >> dataOffset >> infoSize >> width >> height >> planes >>
        bits >> compression;
    if (in.status() != QDataStream::Ok || magic != 0x4D42) return QStringLiteral("not a BMP");
    if (fileSize != file.size()) return QStringLiteral("size field disagrees with the file");
    if (bits != 24) return QStringLiteral("%1 bits per pixel, not 24").arg(bits);
    if (compression != 0) return QStringLiteral("compressed (method %1)").arg(compression);
    if (width <= 0 || height == 0) return QStringLiteral("empty picture");
    // A BMP cut short still loads, with garbage rows: check that every row is really there.
    const qint64 stride = (qint64(width) * 3 + 3) / 4 * 4;
    if (dataOffset + stride * std::abs(qint64(height)) > file.size()) {
        return QStringLiteral("pixel data cut short");
    }
    return {};
}

QImage readBmp(const QString& path, QString* error) {
    QImageReader reader(path, "bmp");
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (error) *error = image.isNull() ? reader.errorString() : QString();
    return image.convertToFormat(QImage::Format_RGB32);
}

double clearlyDifferentShare(const QImage& a, const QImage& b, int step) {
    if (a.size() != b.size() || a.isNull()) return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 different = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column) {
            const int largest = std::max({std::abs(qRed(p[column]) - qRed(q[column])),
                                          std::abs(qGreen(p[column]) - qGreen(q[column])),
                                          std::abs(qBlue(p[column]) - qBlue(q[column]))});
            if (largest > step) ++different;
        }
    }
    return double(different) / (qint64(x.width()) * x.height());
}

}  // namespace tessaly::picgen::test
