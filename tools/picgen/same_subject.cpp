#include "same_subject.h"

namespace tessaly::picgen {

bool IsFlag(const QString& text) {
    const QList<uint> points = text.toUcs4();
    if (points.isEmpty()) return false;
    const bool regional = points.first() >= 0x1F1E6 && points.first() <= 0x1F1FF;
    const bool tagged = points.first() == 0x1F3F4 && points.size() > 1;  // England, Scotland
    return regional || tagged;
}

bool SameSubject(const TileArt& a, const TileArt& b) {
    if (a.kind != ArtKind::Emoji || b.kind != ArtKind::Emoji) return false;
    if (IsFlag(a.text) && IsFlag(b.text)) return true;
    QList<uint> x = a.text.toUcs4(), y = b.text.toUcs4();
    x.removeAll(0xFE0F);  // the emoji presentation selector draws the same picture
    y.removeAll(0xFE0F);
    if (x.size() != 1 || y.size() != 1 || x == y) return false;
    for (const std::u32string_view group : kSameSubject) {
        if (group.find(char32_t(x.first())) != group.npos &&
            group.find(char32_t(y.first())) != group.npos) {
            return true;
        }
    }
    return false;
}

}  // namespace tessaly::picgen
