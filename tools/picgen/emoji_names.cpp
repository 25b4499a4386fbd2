#include "emoji_names.h"

#include <QFile>
#include <QXmlStreamReader>

namespace tessaly::picgen {

QString WithoutSelectors(const QString& text) {
    QString result = text;
    result.remove(QChar(0xFE0F));
    result.remove(QChar(0xFE0E));
    return result;
}

EmojiNames::EmojiNames(const QString& annotations, const QString& emojiTest) {
    QFile xml(annotations);
    if (!xml.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("cannot read %1 (Debian package unicode-cldr-core): %2")
                     .arg(annotations, xml.errorString());
        return;
    }
    QXmlStreamReader reader(&xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) continue;
        if (reader.name() != u"annotation") continue;
        const QString cp =
            WithoutSelectors(reader.attributes().value(QStringLiteral("cp")).toString());
        const bool isName =
            reader.attributes().value(QStringLiteral("type")) == QStringLiteral("tts");
        const QString text = reader.readElementText();
        EmojiNaming& naming = names_[cp];
        if (isName) {
            naming.name = text.trimmed();
        } else {
            for (const QString& word : text.split(u'|', Qt::SkipEmptyParts)) {
                naming.keywords << word.trimmed().toLower();
            }
        }
    }
    if (reader.hasError()) {
        error_ = QStringLiteral("%1: %2").arg(annotations, reader.errorString());
        return;
    }

    QFile test(emojiTest);
    if (!test.open(QIODevice::ReadOnly)) {
        error_ = QStringLiteral("cannot read %1 (Debian package unicode-data): %2")
                     .arg(emojiTest, test.errorString());
        return;
    }
    // "# group: X", "# subgroup: Y", then "1F697 ; fully-qualified # 🚗 E0.6 automobile".
    QString group, subgroup;
    int named = 0;
    while (!test.atEnd()) {
        const QString line = QString::fromUtf8(test.readLine()).trimmed();
        if (line.startsWith(u"# group:")) {
            group = line.mid(8).trimmed();
        } else if (line.startsWith(u"# subgroup:")) {
            subgroup = line.mid(11).trimmed();
        } else if (!line.isEmpty() && !line.startsWith(u'#')) {
            QString text;
            for (const QString& point : line.section(u';', 0, 0).split(u' ', Qt::SkipEmptyParts)) {
                const char32_t c = point.toUInt(nullptr, 16);
                text += QString::fromUcs4(&c, 1);
            }
            EmojiNaming& naming = names_[WithoutSelectors(text)];
            naming.group = group;
            naming.subgroup = subgroup;
            if (naming.name.isEmpty()) {
                // The name follows the emoji and its version: "# 🚗 E0.6 automobile".
                naming.name = line.section(u'#', 1).trimmed().section(u' ', 2).trimmed();
            }
            ++named;
        }
    }
    if (named == 0) error_ = QStringLiteral("%1 lists no emoji").arg(emojiTest);
}

const EmojiNaming* EmojiNames::Find(const QString& text) const {
    const auto it = names_.constFind(WithoutSelectors(text));
    return it == names_.constEnd() || it->name.isEmpty() ? nullptr : &*it;
}

}  // namespace tessaly::picgen
