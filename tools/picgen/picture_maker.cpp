#include "picture_maker.h"

#include <QStringList>

#include "background_art.h"
#include "gem_art.h"
#include "start_picture.h"
#include "tile_face.h"

namespace tessaly::picgen {

PictureMaker::PictureMaker(std::vector<PictureSet> sets) : sets_(std::move(sets)) {}

QString PictureMaker::Check() const {
    QStringList problems;
    if (!emoji_.FontError().isEmpty()) problems << emoji_.FontError();
    if (!StartFontError().isEmpty()) problems << StartFontError();
    if (!problems.isEmpty()) return problems.join(u'\n');
    for (std::size_t s = 0; s < sets_.size(); ++s) {
        for (const TileArt& art : sets_[s].tiles) {
            if (art.kind != ArtKind::Emoji) continue;
            if (const QString why = emoji_.Check(art.text); !why.isEmpty()) {
                problems << QStringLiteral("line %1 (set %2, %3): %4")
                                .arg(art.line)
                                .arg(s + 1)
                                .arg(art.name, why);
            }
        }
    }
    return problems.join(u'\n');
}

QImage PictureMaker::Art(int set, int kind, int size) const {
    const TileArt& art = sets_.at(set - 1).tiles.at(kind - 1);
    const int box = kArtBox * size / CellSize;
    // Gems are drawn to fill their box: their shapes are chosen to carry about as much ink as
    // the emoji do, and a smaller gem would lose the cut that tells it from its twin in colour.
    return art.kind == ArtKind::Emoji ? emoji_.Render(art.text, box)
                                      : RenderGem(art.shape, art.pattern, art.colour, box);
}

QImage PictureMaker::Tile(int set, int kind, int size) const {
    return PaintTile(Art(set, kind, size), sets_.at(set - 1).accent, size);
}

QImage PictureMaker::Background(int number) const {
    return PaintBackground(number);
}

QImage PictureMaker::StartPicture() const {
    // A hand from the first set, the one a new player sees first.
    std::vector<QImage> fan;
    for (const int kind : {7, 2, 16, 8, 11, 1, 10}) fan.push_back(Tile(1, kind, 100));
    return PaintStartPicture(fan);
}

}  // namespace tessaly::picgen
