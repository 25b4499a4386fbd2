#include "reviewed_pairs.h"

#include <QFile>
#include <QStringList>
#include <array>

#include "picture_maker.h"
#include "set_likeness.h"
#include "tile_likeness.h"

namespace tessaly::picgen {
namespace {

bool ParseTile(const QString& field, TileArt& tile) {
    QStringList words = field.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty()) return false;
    const QString keyword = words.takeFirst();
    tile.name = field;
    return ParseTileWords(keyword, words, tile).isEmpty();
}

}  // namespace

ReviewedPairList LoadReviewedPairs(const QString& path) {
    ReviewedPairList result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return result;
    }
    int lineNumber = 0;
    while (!file.atEnd()) {
        ++lineNumber;
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const QStringList fields = line.split(u'|');
        ReviewedPair pair;
        const QString half = fields.value(0).trimmed();
        pair.heldOut = half == u"held-out";
        if (fields.size() != 4 || (!pair.heldOut && half != u"tuning") ||
            !ParseTile(fields[1].trimmed(), pair.first) ||
            !ParseTile(fields[2].trimmed(), pair.second)) {
            result.pairs.clear();
            result.error = QStringLiteral(
                               "%1 line %2: expected \"tuning|held-out | TILE | TILE | "
                               "what\"")
                               .arg(path)
                               .arg(lineNumber);
            return result;
        }
        pair.what = fields[3].trimmed();
        result.pairs.push_back(std::move(pair));
    }
    return result;
}

QString JudgeReviewedPairs(const std::vector<ReviewedPair>& pairs, const EmojiNames& names) {
    std::vector<TileArt> tiles;
    for (const ReviewedPair& pair : pairs) tiles.insert(tiles.end(), {pair.first, pair.second});
    const PictureMaker maker({PictureSet{QStringLiteral("reviewed"), Qt::gray, tiles}});
    // [half][rule], the last rule slot for "any rule".
    std::array<std::array<int, kPairRuleCount + 1>, 2> refused{};
    std::array<int, 2> total{};
    QStringList passed;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const int kind = int(2 * i) + 1;
        const Likeness likeness = Compare(LookOf(maker.Tile(1, kind), maker.Art(1, kind)),
                                          LookOf(maker.Tile(1, kind + 1), maker.Art(1, kind + 1)));
        std::array<bool, kPairRuleCount> held{};
        const bool refusedByAny =
            !LookAlikeReasons(pairs[i].first, pairs[i].second, likeness, &names, &held).isEmpty();
        const int half = pairs[i].heldOut ? 1 : 0;
        ++total[half];
        for (int r = 0; r < kPairRuleCount; ++r) refused[half][r] += held[r];
        refused[half][kPairRuleCount] += refusedByAny;
        if (!refusedByAny) {
            passed << QStringLiteral("  passes: %1 (%2; %3)")
                          .arg(pairs[i].what, pairs[i].heldOut ? "held out" : "tuning",
                               DescribeLikeness(likeness));
        }
    }
    QStringList report;
    report << QStringLiteral("Reviewed pairs refused, tuning half of %1 and held-out half of %2:")
                  .arg(total[0])
                  .arg(total[1]);
    for (int r = 0; r <= kPairRuleCount; ++r) {
        const QString rule = r < kPairRuleCount ? QLatin1String(PairRuleName(PairRule(r)))
                                                : QStringLiteral("any rule");
        report << QStringLiteral("  %1: %2 tuning, %3 held out")
                      .arg(rule)
                      .arg(refused[0][r])
                      .arg(refused[1][r]);
    }
    return (report + passed).join(u'\n');
}

}  // namespace tessaly::picgen
