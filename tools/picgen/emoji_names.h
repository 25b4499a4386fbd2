#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace tessaly::picgen {

// What Unicode says an emoji shows: its short name and keywords from CLDR's English
// annotations, and its group and subgroup from emoji-test.txt.
struct EmojiNaming {
    QString name;
    QStringList keywords;  // lower case, the name among them
    QString group, subgroup;
};

// Debian's unicode-cldr-core and unicode-data put the files here.
inline constexpr const char* kCldrAnnotations = "/usr/share/unicode/cldr/common/annotations/en.xml";
inline constexpr const char* kEmojiTest = "/usr/share/unicode/emoji/emoji-test.txt";

class EmojiNames {
  public:
    // Reads both files; error() tells what is missing or malformed.
    EmojiNames(const QString& annotations = QLatin1String(kCldrAnnotations),
               const QString& emojiTest = QLatin1String(kEmojiTest));

    QString Error() const { return error_; }
    // The naming of an emoji sequence, presentation selectors ignored; null when Unicode has none.
    const EmojiNaming* Find(const QString& text) const;

  private:
    QHash<QString, EmojiNaming> names_;
    QString error_;
};

// The sequence without presentation selectors, which do not change the subject.
QString WithoutSelectors(const QString& text);

}  // namespace tessaly::picgen
