#include "contact_sheet.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include "background_art.h"
#include "start_picture.h"
#include "tile_face.h"
#include "tile_likeness.h"

namespace tessaly::picgen {
namespace {

constexpr int kColumns = 9;
constexpr int kRows = 5;
constexpr int kHeader = 30;

// The tiles as a board of 9 x 5 with the ring of empty cells round it.
void PaintBoard(QPainter& p, const PictureMaker& maker, int set, int background, QPoint at) {
    const QImage empty = maker.Background(background);
    for (int row = 0; row < kRows + 2; ++row) {
        for (int column = 0; column < kColumns + 2; ++column) {
            const bool inside = row > 0 && row <= kRows && column > 0 && column <= kColumns;
            const QImage cell = inside ? maker.Tile(set, (row - 1) * kColumns + column) : empty;
            p.drawImage(at + QPoint(column * CellSize, row * CellSize), cell);
        }
    }
}

void PaintHeader(QPainter& p, const QString& text, int width) {
    p.fillRect(QRect(0, 0, width, kHeader), QColor(0x20, 0x20, 0x20));
    p.setPen(Qt::white);
    p.drawText(QRect(8, 0, width - 16, kHeader), Qt::AlignVCenter | Qt::AlignLeft, text);
}

}  // namespace

QImage MarkedTile(const QImage& tile, const QImage& background) {
    QImage result = background.convertToFormat(QImage::Format_RGB32);
    const QImage top = tile.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* out = reinterpret_cast<QRgb*>(result.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(top.constScanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            const auto blend = [](int a, int b) { return (a * 140 + b * 115 + 127) / 255; };
            out[x] = qRgb(blend(qRed(in[x]), qRed(out[x])), blend(qGreen(in[x]), qGreen(out[x])),
                          blend(qBlue(in[x]), qBlue(out[x])));
        }
    }
    return result;
}

QImage SetContactSheet(const PictureMaker& maker, int set) {
    const int boardWidth = (kColumns + 2) * CellSize;
    const int boardHeight = (kRows + 2) * CellSize;
    QImage sheet(2 * boardWidth, kHeader + boardHeight + CellSize, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter p(&sheet);
    PaintHeader(p, QStringLiteral("pic%1  %2").arg(set).arg(maker.Sets().at(set - 1).title),
                sheet.width());
    PaintBoard(p, maker, set, 1, QPoint(0, kHeader));
    PaintBoard(p, maker, set, 9, QPoint(boardWidth, kHeader));
    const QImage first = maker.Tile(set, 1);
    for (int number = 1; number <= BackgroundCount; ++number) {
        p.drawImage(QPoint((number - 1) * CellSize, kHeader + boardHeight),
                    MarkedTile(first, maker.Background(number)));
    }
    return sheet;
}

QImage BackgroundContactSheet(const PictureMaker& maker) {
    constexpr int kBlockColumns = 4, kBlockRows = 3, kBlocksPerRow = 5;
    const int blockWidth = kBlockColumns * CellSize, blockHeight = kBlockRows * CellSize;
    const int blocksHeight = 3 * blockHeight;
    QImage sheet(std::max(kBlocksPerRow * blockWidth, kStartWidth),
                 kHeader + blocksHeight + kHeader + kStartHeight, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    QPainter p(&sheet);
    PaintHeader(p, QStringLiteral("BackGround 1-15, each with a tile and a marked tile"),
                sheet.width());
    const QImage tile = maker.Tile(1, 1);
    for (int number = 1; number <= BackgroundCount; ++number) {
        const QImage empty = maker.Background(number);
        const QPoint block(((number - 1) % kBlocksPerRow) * blockWidth,
                           kHeader + ((number - 1) / kBlocksPerRow) * blockHeight);
        for (int row = 0; row < kBlockRows; ++row) {
            for (int column = 0; column < kBlockColumns; ++column) {
                QImage cell = empty;
                if (row == 1 && column == 1) cell = tile;
                if (row == 1 && column == 2) cell = MarkedTile(tile, empty);
                p.drawImage(block + QPoint(column * CellSize, row * CellSize), cell);
            }
        }
    }
    p.translate(0, kHeader + blocksHeight);
    PaintHeader(p, QStringLiteral("Start"), sheet.width());
    p.drawImage(QPoint(0, kHeader), maker.StartPicture());
    return sheet;
}

QImage OverviewSheet(const PictureMaker& maker) {
    constexpr int kTileSize = 24, kBlockColumns = 5, kBlockRows = 2, kSetsPerRow = 5, kGap = 6;
    const int blockWidth = kBlockColumns * kTileSize, blockHeight = kBlockRows * kTileSize;
    const int rows = (PictureSetCount + kSetsPerRow - 1) / kSetsPerRow;
    QImage sheet(kSetsPerRow * (blockWidth + kGap) + kGap, rows * (blockHeight + kGap) + kGap,
                 QImage::Format_RGB32);
    sheet.fill(QColor(0x20, 0x20, 0x20));
    QPainter p(&sheet);
    for (int set = 1; set <= PictureSetCount; ++set) {
        const QPoint block(kGap + ((set - 1) % kSetsPerRow) * (blockWidth + kGap),
                           kGap + ((set - 1) / kSetsPerRow) * (blockHeight + kGap));
        for (int kind = 1; kind <= kBlockColumns * kBlockRows; ++kind) {
            p.drawImage(block + QPoint(((kind - 1) % kBlockColumns) * kTileSize,
                                       ((kind - 1) / kBlockColumns) * kTileSize),
                        maker.Tile(set, kind, kTileSize));
        }
    }
    return sheet;
}

QString WriteOverview(const PictureMaker& maker, const QString& path) {
    // Eight bits a pixel keep the picture in the repository small.
    const QImage sheet = OverviewSheet(maker).convertToFormat(
        QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    if (!sheet.save(path, "PNG", 9)) return QStringLiteral("cannot write %1").arg(path);
    return {};
}

QString WriteReviewSheets(const PictureMaker& maker, const QString& dir) {
    if (!QDir().mkpath(dir)) return QStringLiteral("cannot create the folder %1").arg(dir);
    const QDir folder(dir);
    constexpr int kLabel = 14, kGap = 6;
    QString index;
    for (int set = 1; set <= int(maker.Sets().size()); ++set) {
        const PictureSet& pictures = maker.Sets()[set - 1];
        index += QStringLiteral("set %1: %2\n").arg(set).arg(pictures.title);
        QImage sheet(kColumns * (CellSize + kGap) + kGap,
                     kHeader + kRows * (CellSize + kLabel + kGap) + kGap, QImage::Format_RGB32);
        sheet.fill(QColor(0x30, 0x30, 0x30));
        QPainter p(&sheet);
        PaintHeader(p, QStringLiteral("pic%1  %2").arg(set).arg(pictures.title), sheet.width());
        QFont small = p.font();
        small.setPixelSize(11);
        p.setFont(small);
        for (int kind = 1; kind <= int(pictures.tiles.size()); ++kind) {
            const QPoint at(kGap + ((kind - 1) % kColumns) * (CellSize + kGap),
                            kHeader + kGap + ((kind - 1) / kColumns) * (CellSize + kLabel + kGap));
            p.drawImage(at, maker.Tile(set, kind));
            p.drawText(QRect(at.x(), at.y() + CellSize, CellSize, kLabel), Qt::AlignCenter,
                       QString::number(kind));
            index += QStringLiteral("  %1  row %2 column %3: %4\n")
                         .arg(kind, 2)
                         .arg((kind - 1) / kColumns + 1)
                         .arg((kind - 1) % kColumns + 1)
                         .arg(pictures.tiles[kind - 1].name);
        }
        p.end();
        for (int v = 0; v < kVisionCount; ++v) {
            const QString name = QString::fromLatin1(VisionName(Vision(v))).replace(u' ', u'-');
            const QString path = folder.filePath(
                QStringLiteral("set%1-%2.png").arg(set, 2, 10, QLatin1Char('0')).arg(name));
            if (!SimulateVision(sheet, Vision(v)).save(path, "PNG")) {
                return QStringLiteral("cannot write %1").arg(path);
            }
        }
    }
    QFile file(folder.filePath(QStringLiteral("index.txt")));
    if (!file.open(QIODevice::WriteOnly) || file.write(index.toUtf8()) < 0) {
        return QStringLiteral("cannot write %1").arg(file.fileName());
    }
    return {};
}

QString WriteContactSheets(const PictureMaker& maker, const QString& dir) {
    if (!QDir().mkpath(dir)) return QStringLiteral("cannot create the folder %1").arg(dir);
    const QDir folder(dir);
    for (int set = 1; set <= PictureSetCount; ++set) {
        const QString path = folder.filePath(QStringLiteral("set%1.png").arg(set));
        if (!SetContactSheet(maker, set).save(path, "PNG")) {
            return QStringLiteral("cannot write %1").arg(path);
        }
    }
    const QString path = folder.filePath(QStringLiteral("backgrounds.png"));
    if (!BackgroundContactSheet(maker).save(path, "PNG")) {
        return QStringLiteral("cannot write %1").arg(path);
    }
    return {};
}

}  // namespace tessaly::picgen
