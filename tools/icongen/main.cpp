// Writes the desktop's icon files from the window icon's drawing:
//   icongen <application id> <folder>
// gives <folder>/hicolor/<n>x<n>/apps/<id>.png for each size a menu asks for, and
// <folder>/hicolor/scalable/apps/<id>.svg.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>
#include <array>
#include <cstdio>

#include "drawing/app_icon.h"

namespace {

constexpr std::array kSizes{16, 22, 24, 32, 48, 64, 128, 256};
// The scalable icon's own coordinates; any size would do, this one keeps the numbers round.
constexpr int kScalableSize = 256;

bool Fail(const QString& what) {
    std::fprintf(stderr, "icongen: %s\n", qPrintable(what));
    return false;
}

QString AppsFolder(const QString& root, const QString& size) {
    return root + "/hicolor/" + size + "/apps";
}

bool WritePng(const QString& root, const QString& id, int size) {
    const QString folder = AppsFolder(root, QString("%1x%1").arg(size));
    if (!QDir().mkpath(folder)) return Fail("cannot create " + folder);
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    tessaly::PaintAppIcon(painter, size);
    painter.end();
    const QString file = folder + "/" + id + ".png";
    return image.save(file, "PNG") || Fail("cannot write " + file);
}

bool WriteSvg(const QString& root, const QString& id) {
    const QString folder = AppsFolder(root, "scalable");
    if (!QDir().mkpath(folder)) return Fail("cannot create " + folder);
    const QString file = folder + "/" + id + ".svg";
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(kScalableSize, kScalableSize));
    svg.setViewBox(QRect(0, 0, kScalableSize, kScalableSize));
    svg.setTitle("Tessaly");
    QPainter painter;
    if (!painter.begin(&svg)) return Fail("cannot write " + file);
    tessaly::PaintAppIcon(painter, kScalableSize);
    return painter.end() || Fail("cannot write " + file);
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: icongen <application id> <folder>\n");
        return 2;
    }
    const QString id = QString::fromLocal8Bit(argv[1]);
    const QString root = QString::fromLocal8Bit(argv[2]);
    for (int size : kSizes) {
        if (!WritePng(root, id, size)) return 1;
    }
    return WriteSvg(root, id) ? 0 : 1;
}
