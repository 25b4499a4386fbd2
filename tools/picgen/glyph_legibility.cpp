#include "glyph_legibility.h"

#include <algorithm>
#include <cmath>

namespace tessaly::picgen {
namespace {

double RelativeLuminance(const QColor& c) {
    const auto channel = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

}  // namespace

double InkShare(const QImage& art) {
    const QImage image = art.convertToFormat(QImage::Format_ARGB32);
    double ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) ink += qAlpha(row[x]) / 255.0;
    }
    return image.isNull() ? 0 : ink / (double(image.width()) * image.height());
}

namespace {

// The box around the picture's visible pixels and the ink inside it.
struct InkBox {
    int left = 0, top = 0, right = -1, bottom = -1;
    double ink = 0;
    double width() const { return right - left + 1; }
    double height() const { return bottom - top + 1; }
};

InkBox InkBoxOf(const QImage& art) {
    const QImage image = art.convertToFormat(QImage::Format_ARGB32);
    InkBox box{image.width(), image.height(), -1, -1, 0};
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(row[x]) <= 16) continue;
            box.left = std::min(box.left, x), box.right = std::max(box.right, x);
            box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
            box.ink += qAlpha(row[x]) / 255.0;
        }
    }
    return box;
}

}  // namespace

double BoxFill(const QImage& art) {
    const InkBox box = InkBoxOf(art);
    return box.right < 0 ? 0 : box.ink / (box.width() * box.height());
}

bool ReadsAsSticker(const QImage& art) {
    const InkBox box = InkBoxOf(art);
    if (box.right < 0 || box.ink / (box.width() * box.height()) < kStickerFill) return false;
    return std::min(box.width(), box.height()) / std::max(box.width(), box.height()) >=
           kStickerSquareness;
}

QColor MainColour(const QImage& art) {
    const QImage image = art.convertToFormat(QImage::Format_ARGB32);
    double r = 0, g = 0, b = 0, weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const double a = qAlpha(row[x]) / 255.0;
            r += a * qRed(row[x]), g += a * qGreen(row[x]), b += a * qBlue(row[x]);
            weight += a;
        }
    }
    if (weight == 0) return kFaceColour;
    return QColor(int(std::lround(r / weight)), int(std::lround(g / weight)),
                  int(std::lround(b / weight)));
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double FaceContrast(const QImage& art) {
    return ContrastRatio(MainColour(art), kFaceColour);
}

}  // namespace tessaly::picgen
