#include "set_likeness.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

#include "allowed_pairs.h"
#include "glyph_legibility.h"
#include "same_subject.h"
#include "subject_rules.h"

namespace tessaly::picgen {

const char* PairRuleName(PairRule rule) {
    switch (rule) {
        case PairRule::SameSubjectTable:
            return "same-subject table";
        case PairRule::NameWithin:
            return SubjectRuleName(SubjectRule::NameWithin);
        case PairRule::HeadNoun:
            return SubjectRuleName(SubjectRule::HeadNoun);
        case PairRule::SharedKeyword:
            return SubjectRuleName(SubjectRule::SharedKeyword);
        case PairRule::Drawing:
            return "shared drawing";
        case PairRule::Silhouette:
            return "shared silhouette";
        case PairRule::Kin:
            return "kin in one pose";
    }
    return "?";
}

DrawnSet DrawSet(const PictureMaker& maker, int set) {
    DrawnSet drawn;
    drawn.what = maker.Sets().at(set - 1).tiles;
    for (int kind = 1; kind <= int(drawn.what.size()); ++kind) {
        drawn.tiles.push_back(maker.Tile(set, kind));
        drawn.art.push_back(maker.Art(set, kind));
    }
    return drawn;
}

QStringList LookAlikeReasons(const TileArt& a, const TileArt& b, const Likeness& likeness,
                             const EmojiNames* names, std::array<bool, kPairRuleCount>* held) {
    QStringList reasons;
    std::array<bool, kPairRuleCount> holds{};
    holds[int(PairRule::SameSubjectTable)] = SameSubject(a, b);
    if (holds[int(PairRule::SameSubjectTable)])
        reasons << QStringLiteral("one subject drawn twice");
    const bool named =
        names && names->Error().isEmpty() && a.kind == ArtKind::Emoji && b.kind == ArtKind::Emoji;
    const EmojiNaming* x = named ? names->Find(a.text) : nullptr;
    const EmojiNaming* y = named ? names->Find(b.text) : nullptr;
    if (x && y) {
        for (const SubjectRule rule :
             {SubjectRule::NameWithin, SubjectRule::HeadNoun, SubjectRule::SharedKeyword}) {
            QString why;
            if (RuleHolds(rule, *x, *y, &why)) {
                holds[int(PairRule::NameWithin) + int(rule)] = true;
                reasons << QStringLiteral("%1: %2").arg(QLatin1String(SubjectRuleName(rule)), why);
            }
        }
    }
    holds[int(PairRule::Drawing)] = LooksAlikeInDrawing(likeness);
    holds[int(PairRule::Silhouette)] = LooksAlikeInSilhouette(likeness);
    holds[int(PairRule::Kin)] = x && y && !x->subgroup.isEmpty() && x->subgroup == y->subgroup &&
                                likeness.silhouette >= kKinSilhouette &&
                                likeness.structure >= kKinStructure && likeness.glance < kKinGlance;
    if (holds[int(PairRule::Kin)]) {
        reasons << QStringLiteral("kin in one pose (%1)").arg(x->subgroup);
    }
    if (holds[int(PairRule::Drawing)] || holds[int(PairRule::Silhouette)]) {
        reasons << DescribeLikeness(likeness);
    }
    if (held) *held = holds;
    return reasons;
}

SetLikeness JudgeSet(const DrawnSet& drawn, const EmojiNames* names) {
    std::vector<TileLook> looks;
    looks.reserve(drawn.tiles.size());
    for (std::size_t i = 0; i < drawn.tiles.size(); ++i) {
        looks.push_back(LookOf(drawn.tiles[i], i < drawn.art.size() ? drawn.art[i] : QImage()));
    }
    SetLikeness judged;
    judged.closestColour.likeness.colour = HUGE_VAL;
    judged.mostStructure.likeness.structure = -1;
    for (std::size_t a = 0; a < looks.size(); ++a) {
        for (std::size_t b = a + 1; b < looks.size(); ++b) {
            const PairLikeness pair{int(a) + 1, int(b) + 1, Compare(looks[a], looks[b])};
            ++judged.pairs;
            if (pair.likeness.colour < judged.closestColour.likeness.colour) {
                judged.closestColour = pair;
            }
            if (pair.likeness.structure > judged.mostStructure.likeness.structure) {
                judged.mostStructure = pair;
            }
            std::array<bool, kPairRuleCount> held{};
            const QStringList why =
                LookAlikeReasons(drawn.what.at(a), drawn.what.at(b), pair.likeness, names, &held);
            for (int r = 0; r < kPairRuleCount; ++r) judged.flagged[r] += held[r];
            if (why.isEmpty()) continue;
            if (IsAllowedPair(drawn.what.at(a), drawn.what.at(b))) {
                ++judged.allowed;
            } else {
                judged.alike.push_back({pair, why.join(QStringLiteral("; "))});
            }
        }
    }
    return judged;
}

QString DescribeThresholds() {
    return QStringLiteral(
               "Two tiles look alike when their lightness shares structure (SSIM) of %1 or "
               "more, or of %2 + %3 x their mean colour difference (delta E) in the vision that "
               "sees them closest; when their silhouettes overlap by %4 + %5 x that delta E with "
               "structure of %6 or more; when they are of one Unicode subgroup with silhouettes "
               "overlapping by %7, structure of %8 and a glance difference under %9; or "
               "when Unicode's names and keywords, or the same-subject table, make them one "
               "subject.")
        .arg(kMostSharedStructure)
        .arg(kSharedStructureWithoutColour)
        .arg(kSharedStructurePerDeltaE)
        .arg(kSharedSilhouetteWithoutColour)
        .arg(kSharedSilhouettePerDeltaE)
        .arg(kSilhouetteWithSomeStructure)
        .arg(kKinSilhouette)
        .arg(kKinStructure)
        .arg(kKinGlance);
}

QString DescribeLikeness(const Likeness& likeness) {
    return QStringLiteral("SSIM %1, silhouette %2, delta E %3 (%4), at a glance %5")
        .arg(likeness.structure, 0, 'f', 3)
        .arg(likeness.silhouette, 0, 'f', 3)
        .arg(likeness.colour, 0, 'f', 1)
        .arg(QLatin1String(VisionName(likeness.vision)))
        .arg(likeness.glance, 0, 'f', 1);
}

QString DescribeSet(int number, const PictureSet& set, const SetLikeness& judged) {
    const auto tiles = [&set](const PairLikeness& pair) {
        return QStringLiteral("%1 and %2 (%3, %4)")
            .arg(pair.first)
            .arg(pair.second)
            .arg(set.tiles.at(pair.first - 1).name, set.tiles.at(pair.second - 1).name);
    };
    QStringList lines;
    lines << QStringLiteral("pic%1 %2: closest colours %3: %4; most shared drawing %5: %6")
                 .arg(number)
                 .arg(set.title, tiles(judged.closestColour),
                      DescribeLikeness(judged.closestColour.likeness), tiles(judged.mostStructure),
                      DescribeLikeness(judged.mostStructure.likeness));
    for (const LookAlikePair& alike : judged.alike) {
        lines << QStringLiteral("  look alike: %1: %2").arg(tiles(alike.pair), alike.why);
    }
    return lines.join(u'\n');
}

QString LookAlikeReport(const PictureMaker& maker, const EmojiNames& names, bool& anyAlike,
                        int onlySet) {
    anyAlike = false;
    QStringList report{DescribeThresholds()};
    std::array<int, kPairRuleCount> flagged{};
    int pairs = 0, allowed = 0;
    for (int number = 1; number <= int(maker.Sets().size()); ++number) {
        if (onlySet != 0 && number != onlySet) continue;
        const SetLikeness judged = JudgeSet(DrawSet(maker, number), &names);
        anyAlike = anyAlike || !judged.alike.empty();
        for (int r = 0; r < kPairRuleCount; ++r) flagged[r] += judged.flagged[r];
        pairs += judged.pairs;
        allowed += judged.allowed;
        report << DescribeSet(number, maker.Sets()[number - 1], judged);
    }
    // How legible the pictures are: the faintest main colour, the outlined ones, and how much
    // the ink of a set's pictures varies.
    double lowestContrast = HUGE_VAL, largestInkRatio = 0;
    int outlined = 0, inkSet = 0;
    for (int number = 1; number <= int(maker.Sets().size()); ++number) {
        if (onlySet != 0 && number != onlySet) continue;
        const PictureSet& set = maker.Sets()[number - 1];
        std::vector<double> ink;
        for (int kind = 1; kind <= int(set.tiles.size()); ++kind) {
            const QImage art = maker.Art(number, kind);
            const double contrast = FaceContrast(art);
            lowestContrast = std::min(lowestContrast, contrast);
            outlined += contrast < kMinGlyphContrast;
            ink.push_back(InkShare(art));
            if (set.tiles[kind - 1].kind == ArtKind::Emoji && ReadsAsSticker(art)) {
                report << QStringLiteral("pic%1: %2 fills %3 of its box and reads as a sticker")
                              .arg(number)
                              .arg(set.tiles[kind - 1].name)
                              .arg(BoxFill(art), 0, 'f', 2);
                anyAlike = true;
            }
        }
        const double least = *std::min_element(ink.begin(), ink.end());
        const double most = *std::max_element(ink.begin(), ink.end());
        if (least > 0 && most / least > largestInkRatio) {
            largestInkRatio = most / least;
            inkSet = number;
        }
        for (std::size_t i = 0; i < ink.size(); ++i) {
            if (2 * ink[i] >= most) continue;
            report << QStringLiteral("pic%1: %2 (%3) has under half the ink of the fullest, %4")
                          .arg(number)
                          .arg(set.tiles[i].name)
                          .arg(ink[i], 0, 'f', 3)
                          .arg(most, 0, 'f', 3);
            anyAlike = true;
        }
    }
    report << QStringLiteral(
                  "Lowest main-colour contrast against the face %1:1; %2 pictures "
                  "under %3:1 outlined; largest ink ratio within a set %4 (pic%5)")
                  .arg(lowestContrast, 0, 'f', 2)
                  .arg(outlined)
                  .arg(kMinGlyphContrast)
                  .arg(largestInkRatio, 0, 'f', 2)
                  .arg(inkSet);
    report << QStringLiteral(
                  "Pairs refused among %1 within-set pairs (%2 of them let through by "
                  "allowed_pairs.h):")
                  .arg(pairs)
                  .arg(allowed);
    for (int r = 0; r < kPairRuleCount; ++r) {
        report << QStringLiteral("  %1: %2")
                      .arg(QLatin1String(PairRuleName(PairRule(r))))
                      .arg(flagged[r]);
    }
    return report.join(u'\n');
}

}  // namespace tessaly::picgen
