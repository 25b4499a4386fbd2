#include "allowed_pairs.h"

#include "emoji_names.h"

namespace tessaly::picgen {

bool IsAllowedPair(const TileArt& a, const TileArt& b) {
    if (a.kind != ArtKind::Emoji || b.kind != ArtKind::Emoji) return false;
    const QString x = WithoutSelectors(a.text), y = WithoutSelectors(b.text);
    for (const AllowedPair& pair : kAllowedPairs) {
        const QString first = QString::fromUcs4(pair.first.data(), qsizetype(pair.first.size()));
        const QString second = QString::fromUcs4(pair.second.data(), qsizetype(pair.second.size()));
        if ((x == first && y == second) || (x == second && y == first)) return true;
    }
    return false;
}

}  // namespace tessaly::picgen
