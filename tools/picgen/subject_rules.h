#pragma once

#include <QString>

#include "emoji_names.h"

namespace tessaly::picgen {

// The ways Unicode's own naming shows two emoji to be one subject drawn twice.
enum class SubjectRule { NameWithin, HeadNoun, SharedKeyword };
constexpr int kSubjectRuleCount = 3;
const char* SubjectRuleName(SubjectRule rule);

struct SubjectClash {
    SubjectRule rule;
    QString why;  // e.g. "\"automobile\" within \"oncoming automobile\""
};

// The head noun of an emoji name: "globe showing Americas" -> "globe", "open file folder" ->
// "folder", "dog face" -> "dog". Lower case and singular.
QString HeadNoun(const QString& name);

// Checks the rules in the order of SubjectRule and reports the first that holds, so that a
// pair counts once; false when the naming tells the two apart.
bool FindSubjectClash(const EmojiNaming& a, const EmojiNaming& b, SubjectClash& clash);
// Whether one particular rule holds for the pair.
bool RuleHolds(SubjectRule rule, const EmojiNaming& a, const EmojiNaming& b,
               QString* why = nullptr);

}  // namespace tessaly::picgen
