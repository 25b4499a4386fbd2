// How well two colours can be told apart: WCAG 2 contrast of their relative luminances, and
// the CIEDE2000 colour difference of their CIELAB values (sRGB, D65).
#pragma once

#include <QColor>

namespace tessaly::test {

double ContrastRatio(QColor a, QColor b);
double DeltaE2000(QColor a, QColor b);

}  // namespace tessaly::test
