#pragma once

#include <QString>
#include <vector>

#include "emoji_names.h"
#include "picture_set.h"

namespace tessaly::picgen {

// A pair of tiles that reviewers, looking at the sets by eye, found a player could confuse.
// Half of them fit the check's rules; the other half is held out to show whether the rules
// hold beyond the pairs they were fitted to.
struct ReviewedPair {
    bool heldOut = false;
    TileArt first, second;
    QString what;
};

struct ReviewedPairList {
    std::vector<ReviewedPair> pairs;
    QString error;
};

// Lines "tuning|held-out | TILE | TILE | what", TILE as in the set lists ("emoji 1F414",
// "gem clover stripes FDD835"); '#' starts a comment.
ReviewedPairList LoadReviewedPairs(const QString& path);

// How many pairs of each half every rule refuses, and which pairs pass every rule.
QString JudgeReviewedPairs(const std::vector<ReviewedPair>& pairs, const EmojiNames& names);

}  // namespace tessaly::picgen
