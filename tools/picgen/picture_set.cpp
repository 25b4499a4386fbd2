#include "picture_set.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <array>
#include <utility>

#include "same_subject.h"
#include "unfit_content.h"

namespace tessaly::picgen {
namespace {

constexpr std::array<std::pair<const char*, GemShape>, 33> kShapeNames{{
    {"circle", GemShape::Circle},       {"square", GemShape::Square},
    {"triangle", GemShape::Triangle},   {"diamond", GemShape::Diamond},
    {"ring", GemShape::Ring},           {"star", GemShape::Star},
    {"heart", GemShape::Heart},         {"cross", GemShape::Cross},
    {"crescent", GemShape::Crescent},   {"hexagon", GemShape::Hexagon},
    {"drop", GemShape::Drop},           {"bolt", GemShape::Bolt},
    {"clover", GemShape::Clover},       {"arrow", GemShape::Arrow},
    {"sparkle", GemShape::Sparkle},     {"dome", GemShape::Dome},
    {"oval", GemShape::Oval},           {"shield", GemShape::Shield},
    {"flower", GemShape::Flower},       {"hourglass", GemShape::Hourglass},
    {"pentagon", GemShape::Pentagon},   {"semicircle", GemShape::Semicircle},
    {"trapezoid", GemShape::Trapezoid}, {"chevron", GemShape::Chevron},
    {"octagon", GemShape::Octagon},     {"kite", GemShape::Kite},
    {"leaf", GemShape::Leaf},           {"arch", GemShape::Arch},
    {"frame", GemShape::Frame},         {"parallelogram", GemShape::Parallelogram},
    {"crown", GemShape::Crown},         {"stairs", GemShape::Stairs},
    {"fan", GemShape::Fan},
}};

constexpr std::array<std::pair<const char*, GemPattern>, 5> kPatternNames{{
    {"plain", GemPattern::Plain},
    {"stripes", GemPattern::Stripes},
    {"dots", GemPattern::Dots},
    {"half", GemPattern::Half},
    {"spot", GemPattern::Spot},
}};

template <typename Names, typename Value>
bool LookUp(const Names& names, const QString& word, Value& value) {
    for (const auto& [name, named] : names) {
        if (word == QLatin1String(name)) {
            value = named;
            return true;
        }
    }
    return false;
}

QString LineError(int line, const QString& what) {
    return QStringLiteral("line %1: %2").arg(line).arg(what);
}

bool ParseHexColour(const QString& word, QColor& colour) {
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    if (!hex.match(word).hasMatch()) return false;
    colour = QColor(QLatin1Char('#') + word);
    return colour.isValid();
}

// "1F436 FE0F" -> the UTF-16 text of those code points.
bool ParseCodePoints(const QStringList& words, QString& text, QString& bad) {
    for (const QString& word : words) {
        bool ok = false;
        const uint cp = word.toUInt(&ok, 16);
        if (!ok || cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            bad = word;
            return false;
        }
        const char32_t c = cp;
        text += QString::fromUcs4(&c, 1);
    }
    return !text.isEmpty();
}

QString TileKey(const TileArt& tile) {
    if (tile.kind == ArtKind::Emoji) return tile.text;
    return QStringLiteral("gem %1 %2 %3")
        .arg(int(tile.shape))
        .arg(int(tile.pattern))
        .arg(tile.colour.name());
}

QString CheckSet(const PictureSet& set, int number) {
    if (int(set.tiles.size()) != TilesPerSet) {
        return QStringLiteral("set %1 \"%2\" has %3 tiles, not %4")
            .arg(number)
            .arg(set.title)
            .arg(set.tiles.size())
            .arg(TilesPerSet);
    }
    QSet<QString> seen;
    for (const TileArt& tile : set.tiles) {
        const QString key = TileKey(tile);
        if (seen.contains(key)) {
            return LineError(
                tile.line,
                QStringLiteral("\"%1\" appears twice in set %2").arg(tile.name).arg(number));
        }
        seen.insert(key);
        if (tile.kind != ArtKind::Emoji) continue;
        QString unfit = UnfitReason(tile.text);
        // Which flags a game shows, and which it leaves out, is a political choice.
        if (unfit.isEmpty() && IsFlag(tile.text)) unfit = QStringLiteral("a flag");
        if (!unfit.isEmpty()) {
            return LineError(tile.line, QStringLiteral("\"%1\" in set %2 is unfit: %3")
                                            .arg(tile.name)
                                            .arg(number)
                                            .arg(unfit));
        }
    }
    return {};
}

}  // namespace

QString ParseTileWords(const QString& keyword, const QStringList& words, TileArt& tile) {
    if (keyword == u"emoji") {
        QString bad;
        if (!ParseCodePoints(words, tile.text, bad)) {
            return QStringLiteral("bad code point \"%1\"").arg(bad);
        }
    } else if (keyword == u"gem") {
        tile.kind = ArtKind::Gem;
        // "gem SHAPE [PATTERN] RRGGBB": a gem without a pattern is plain.
        const bool known = (words.size() == 2 || words.size() == 3) &&
                           LookUp(kShapeNames, words.first(), tile.shape) &&
                           (words.size() == 2 || LookUp(kPatternNames, words[1], tile.pattern)) &&
                           ParseHexColour(words.last(), tile.colour);
        if (!known) return QStringLiteral("a gem needs a shape, a pattern or none, and RRGGBB");
    } else {
        return QStringLiteral("unknown keyword \"%1\"").arg(keyword);
    }
    return {};
}

PictureSetList ParsePictureSets(QStringView text) {
    PictureSetList result;
    const auto fail = [&result](const QString& message) {
        result.sets.clear();
        result.error = message;
        return result;
    };
    // Editors on some systems start a UTF-8 file with a byte-order mark.
    if (text.startsWith(QChar(0xFEFF))) text = text.mid(1);
    int lineNumber = 0;
    for (QStringView rawLine : text.split(u'\n')) {
        ++lineNumber;
        QString line = rawLine.toString().trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        QString name;
        if (const qsizetype bar = line.indexOf(u'|'); bar >= 0) {
            name = line.mid(bar + 1).trimmed();
            line = line.left(bar).trimmed();
        }
        QStringList words = line.split(u' ', Qt::SkipEmptyParts);
        if (words.isEmpty()) {
            return fail(LineError(lineNumber, QStringLiteral("a name without a tile")));
        }
        const QString keyword = words.takeFirst();
        if (keyword == u"set") {
            PictureSet set;
            if (words.isEmpty() || !ParseHexColour(words.first(), set.accent)) {
                return fail(LineError(lineNumber, QStringLiteral("a set needs an RRGGBB accent")));
            }
            set.title = name;
            if (set.title.isEmpty()) {
                return fail(LineError(lineNumber, QStringLiteral("a set needs a title after '|'")));
            }
            result.sets.push_back(std::move(set));
            continue;
        }
        if (result.sets.empty()) {
            return fail(LineError(lineNumber, QStringLiteral("tile listed before any set")));
        }
        TileArt tile;
        tile.name = name;
        tile.line = lineNumber;
        if (QString problem = ParseTileWords(keyword, words, tile); !problem.isEmpty()) {
            return fail(LineError(lineNumber, problem));
        }
        if (tile.name.isEmpty()) tile.name = words.join(u' ');
        result.sets.back().tiles.push_back(std::move(tile));
    }
    if (int(result.sets.size()) != PictureSetCount) {
        return fail(QStringLiteral("%1 sets listed, %2 needed")
                        .arg(result.sets.size())
                        .arg(PictureSetCount));
    }
    for (int i = 0; i < PictureSetCount; ++i) {
        if (QString problem = CheckSet(result.sets[i], i + 1); !problem.isEmpty()) {
            return fail(problem);
        }
    }
    return result;
}

PictureSetList LoadPictureSets(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        PictureSetList result;
        result.error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return result;
    }
    return ParsePictureSets(QString::fromUtf8(file.readAll()));
}

}  // namespace tessaly::picgen
