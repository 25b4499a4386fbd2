// How well two colours can be told apart: WCAG 2 contrast of their relative luminances, and
// the CIEDE2000 colour difference of their CIELAB values (sRGB, D65), also as red-green
// colour-blind players see them.
#pragma once

#include <QColor>

namespace tessaly::test {

double ContrastRatio(QColor a, QColor b);
double DeltaE2000(QColor a, QColor b);

enum class Vision { Normal, Deuteranopia, Protanopia };
// How a player with that vision sees the colour: Vienot, Brettel and Mollon's (1999) projection
// for dichromats, in linear sRGB.
QColor SeenWith(Vision vision, QColor c);
// The smallest CIEDE2000 difference of the two colours over normal and red-green blind vision.
double LeastDeltaE2000(QColor a, QColor b);

}  // namespace tessaly::test
