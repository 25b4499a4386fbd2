#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <vector>

#include "emoji_names.h"
#include "picture_maker.h"
#include "picture_set.h"
#include "tile_likeness.h"

namespace tessaly::picgen {

// Every way two tiles of a set can be taken for each other. The first four read what the
// pictures show; the next two how they look at play size; the last both.
enum class PairRule {
    SameSubjectTable,  // same_subject.h: what Unicode's naming cannot tell
    NameWithin,        // subject_rules.h
    HeadNoun,
    SharedKeyword,
    Drawing,     // shared lightness structure (SSIM) against colour difference
    Silhouette,  // shared outline against colour difference
    Kin,         // two of one Unicode subgroup in one pose and close at a glance
};
constexpr int kPairRuleCount = 7;

// Kin: close relatives drawn in one pose (goat and ox, llama and camel) were what reviewers
// found most, and their pixels differ more than a redrawn picture's do. Fitted on the tuning
// half of tools/picgen/reviewed_pairs.txt against the share of all within-set pairs refused.
constexpr double kKinSilhouette = 0.8;
constexpr double kKinStructure = 0.5;
constexpr double kKinGlance = 12;
const char* PairRuleName(PairRule rule);

// Two tiles of a set (kinds from 1) and how they compare.
struct PairLikeness {
    int first = 0, second = 0;
    Likeness likeness;
};

struct LookAlikePair {
    PairLikeness pair;
    QString why;
};

// Every pair of one set's tiles compared as players see them.
struct SetLikeness {
    PairLikeness closestColour;  // the pair whose colours differ least
    PairLikeness mostStructure;  // the pair that shares the most of its drawing
    std::vector<LookAlikePair> alike;
    std::array<int, kPairRuleCount> flagged{};  // pairs each rule refuses, counted per rule
    int allowed = 0;                            // refused pairs let through by allowed_pairs.h
    int pairs = 0;
};

// One set's tiles as drawn: the tile, the picture on it (for its silhouette) and what it shows.
struct DrawnSet {
    std::vector<QImage> tiles;
    std::vector<QImage> art;  // may be empty: silhouettes are then taken from the tiles
    std::vector<TileArt> what;
};
DrawnSet DrawSet(const PictureMaker& maker, int set);

// Why a player would take one tile for the other, one reason a rule that holds; empty when
// none does. `names` may be null or failed: the rules that read it are then skipped.
QStringList LookAlikeReasons(const TileArt& a, const TileArt& b, const Likeness& likeness,
                             const EmojiNames* names,
                             std::array<bool, kPairRuleCount>* held = nullptr);

SetLikeness JudgeSet(const DrawnSet& drawn, const EmojiNames* names);

QString DescribeThresholds();
QString DescribeLikeness(const Likeness& likeness);
// The set's closest pairs under each measure, then its look-alikes, one a line.
QString DescribeSet(int number, const PictureSet& set, const SetLikeness& judged);

// What picgen --look-alikes prints: every set as drawn, then how many pairs each rule refuses.
// `anyAlike` tells whether a set holds a pair that players would confuse. `onlySet`, when not
// 0, limits the report to that set.
QString LookAlikeReport(const PictureMaker& maker, const EmojiNames& names, bool& anyAlike,
                        int onlySet = 0);

}  // namespace tessaly::picgen
