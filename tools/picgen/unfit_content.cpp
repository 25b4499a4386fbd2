#include "unfit_content.h"

#include <QList>

namespace tessaly::picgen {

QString UnfitReason(const QString& text) {
    for (const char32_t point : text.toUcs4()) {
        for (const UnfitGroup& group : kUnfitContent) {
            if (group.points.find(point) != group.points.npos) {
                return QString::fromLatin1(group.reason.data(), qsizetype(group.reason.size()));
            }
        }
    }
    return {};
}

}  // namespace tessaly::picgen
