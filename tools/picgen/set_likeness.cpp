#include "set_likeness.h"

#include <QStringList>
#include <cmath>

#include "same_subject.h"

namespace tessaly::picgen {

QString lookAlikeReason(const TileArt& a, const TileArt& b, const Likeness& likeness) {
    if (sameSubject(a, b)) return QStringLiteral("one subject drawn twice");
    if (looksAlike(likeness)) return describeLikeness(likeness);
    return {};
}

SetLikeness judgeSet(const std::vector<QImage>& tiles, const std::vector<TileArt>& art) {
    std::vector<TileLook> looks;
    looks.reserve(tiles.size());
    for (const QImage& tile : tiles) looks.push_back(lookOf(tile));
    SetLikeness judged;
    judged.closestColour.likeness.colour = HUGE_VAL;
    judged.mostStructure.likeness.structure = -1;
    for (std::size_t a = 0; a < looks.size(); ++a) {
        for (std::size_t b = a + 1; b < looks.size(); ++b) {
            const PairLikeness pair{int(a) + 1, int(b) + 1, compare(looks[a], looks[b])};
            if (pair.likeness.colour < judged.closestColour.likeness.colour) {
                judged.closestColour = pair;
            }
            if (pair.likeness.structure > judged.mostStructure.likeness.structure) {
                judged.mostStructure = pair;
            }
            if (QString why = lookAlikeReason(art.at(a), art.at(b), pair.likeness);
                !why.isEmpty()) {
                judged.alike.push_back({pair, std::move(why)});
            }
        }
    }
    return judged;
}

QString describeThresholds() {
    return QStringLiteral(
               "Two tiles look alike when their lightness shares structure (SSIM) of %1 or "
               "more, or of %2 + %3 x their mean colour difference (delta E) in the vision that "
               "sees them closest; or when they draw one subject twice.")
        .arg(kMostSharedStructure)
        .arg(kSharedStructureWithoutColour)
        .arg(kSharedStructurePerDeltaE);
}

QString describeLikeness(const Likeness& likeness) {
    return QStringLiteral("SSIM %1, delta E %2 (%3)")
        .arg(likeness.structure, 0, 'f', 3)
        .arg(likeness.colour, 0, 'f', 1)
        .arg(QLatin1String(visionName(likeness.vision)));
}

QString describeSet(int number, const PictureSet& set, const SetLikeness& judged) {
    const auto tiles = [&set](const PairLikeness& pair) {
        return QStringLiteral("%1 and %2 (%3, %4)")
            .arg(pair.first)
            .arg(pair.second)
            .arg(set.tiles.at(pair.first - 1).name, set.tiles.at(pair.second - 1).name);
    };
    QStringList lines;
    lines << QStringLiteral("pic%1 %2: closest colours %3: %4; most shared drawing %5: %6")
                 .arg(number)
                 .arg(set.title, tiles(judged.closestColour),
                      describeLikeness(judged.closestColour.likeness), tiles(judged.mostStructure),
                      describeLikeness(judged.mostStructure.likeness));
    for (const LookAlikePair& alike : judged.alike) {
        lines << QStringLiteral("  look alike: %1: %2").arg(tiles(alike.pair), alike.why);
    }
    return lines.join(u'\n');
}

QString lookAlikeReport(const PictureMaker& maker, bool& anyAlike) {
    anyAlike = false;
    QStringList report{describeThresholds()};
    for (int number = 1; number <= int(maker.sets().size()); ++number) {
        const PictureSet& set = maker.sets()[number - 1];
        std::vector<QImage> tiles;
        for (int kind = 1; kind <= int(set.tiles.size()); ++kind) {
            tiles.push_back(maker.tile(number, kind));
        }
        const SetLikeness judged = judgeSet(tiles, set.tiles);
        anyAlike = anyAlike || !judged.alike.empty();
        report << describeSet(number, set, judged);
    }
    return report.join(u'\n');
}

}  // namespace tessaly::picgen
