#include "resource_folder.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <stdexcept>

namespace tessaly::test {

QImage SolidCell(QColor color) {
    QImage image(50, 50, QImage::Format_RGB888);
    image.fill(color);
    return image;
}

QColor ResourceFolder::Tile(int k) {
    return QColor(5 * k, 200, 255 - 5 * k);
}
QColor ResourceFolder::Background(int m) {
    return QColor(20, 40 + m, 90);
}
QColor ResourceFolder::StartQuarter(int q) {
    static const QColor quarters[] = {QColor(255, 0, 0), QColor(0, 255, 0), QColor(0, 0, 255),
                                      QColor(255, 255, 255)};
    return quarters[q];
}

ResourceFolder::ResourceFolder() : previous_(QDir::currentPath()) {
    if (!dir_.isValid()) throw std::runtime_error("no temporary directory");
    QDir root(dir_.path());
    for (const char* sub : {"resource/pic1", "resource/BackGround", "resource/Sound"}) {
        root.mkpath(QString::fromLatin1(sub));
    }
    for (int k = 1; k <= 45; ++k) Write(QStringLiteral("pic1/%1.bmp").arg(k), SolidCell(Tile(k)));
    for (int m = 1; m <= 15; ++m) {
        Write(QStringLiteral("BackGround/%1.bmp").arg(m), SolidCell(Background(m)));
    }
    QImage start(100, 80, QImage::Format_RGB888);
    QPainter painter(&start);
    painter.fillRect(0, 0, 50, 40, StartQuarter(0));
    painter.fillRect(50, 0, 50, 40, StartQuarter(1));
    painter.fillRect(0, 40, 50, 40, StartQuarter(2));
    painter.fillRect(50, 40, 50, 40, StartQuarter(3));
    painter.end();
    Write(QStringLiteral("BackGround/Start.bmp"), start);
    QDir::setCurrent(dir_.path());
}

ResourceFolder::~ResourceFolder() {
    QDir::setCurrent(previous_);
}

QString ResourceFolder::Path(const QString& inside) const {
    return dir_.filePath(QStringLiteral("resource/") + inside);
}

void ResourceFolder::Write(const QString& inside, const QImage& image) const {
    if (!image.save(Path(inside), "BMP")) throw std::runtime_error("cannot write test picture");
}

void ResourceFolder::WriteBytes(const QString& inside, const QByteArray& bytes) const {
    QFile file(Path(inside));
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write test file");
    }
}

void ResourceFolder::Remove(const QString& inside) const {
    QFile::remove(Path(inside));
}

}  // namespace tessaly::test
