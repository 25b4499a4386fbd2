#pragma once

#include <QImage>
#include <QString>
#include <vector>

#include "picture_maker.h"
#include "picture_set.h"
#include "tile_likeness.h"

namespace tessaly::picgen {

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
};

// Why a player would take one tile for the other; empty when they would not.
QString lookAlikeReason(const TileArt& a, const TileArt& b, const Likeness& likeness);

// `tiles` and `art` list one set's 50-pixel tiles and what they show, in the same order.
SetLikeness judgeSet(const std::vector<QImage>& tiles, const std::vector<TileArt>& art);

QString describeThresholds();
QString describeLikeness(const Likeness& likeness);
// The set's closest pairs under each measure, then its look-alikes, one a line.
QString describeSet(int number, const PictureSet& set, const SetLikeness& judged);

// What picgen --look-alikes prints: every set as drawn. `anyAlike` tells whether a set holds
// a pair that players would confuse.
QString lookAlikeReport(const PictureMaker& maker, bool& anyAlike);

}  // namespace tessaly::picgen
