#include "colour_figures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tessaly::test {

namespace {

using Lab = std::array<double, 3>;

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int Encoded(double linear) {
    const double v = std::clamp(linear, 0.0, 1.0);
    return static_cast<int>(
        std::lround(255 * (v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055)));
}

double Luminance(QColor c) {
    return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}

Lab ToLab(QColor c) {
    const double r = Linear(c.red()), g = Linear(c.green()), b = Linear(c.blue());
    const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
    const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
    const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
    auto f = [](double t) {
        return t > 216.0 / 24389 ? std::cbrt(t) : (24389.0 / 27 * t + 16) / 116;
    };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

double Degrees(double y, double x) {
    if (x == 0 && y == 0) return 0;
    const double d = std::atan2(y, x) * 180 / std::numbers::pi;
    return d < 0 ? d + 360 : d;
}

// Sharma, Wu and Dalal's formulation, with kL = kC = kH = 1.
double DeltaE2000(const Lab& p, const Lab& q) {
    auto pow7 = [](double v) { return std::pow(v, 7); };
    const double meanC = (std::hypot(p[1], p[2]) + std::hypot(q[1], q[2])) / 2;
    const double g = 0.5 * (1 - std::sqrt(pow7(meanC) / (pow7(meanC) + pow7(25))));
    const double a1 = (1 + g) * p[1], a2 = (1 + g) * q[1];
    const double c1 = std::hypot(a1, p[2]), c2 = std::hypot(a2, q[2]);
    const double h1 = Degrees(p[2], a1), h2 = Degrees(q[2], a2);
    double dh = c1 * c2 == 0 ? 0 : h2 - h1;
    if (dh > 180) dh -= 360;
    if (dh < -180) dh += 360;
    const double dL = q[0] - p[0], dC = c2 - c1;
    const double dH = 2 * std::sqrt(c1 * c2) * std::sin(Radians(dh / 2));
    const double meanL = (p[0] + q[0]) / 2, meanCp = (c1 + c2) / 2;
    double meanH = h1 + h2;
    if (c1 * c2 != 0) {
        meanH = std::abs(h1 - h2) <= 180 ? meanH / 2
                : meanH < 360            ? (meanH + 360) / 2
                                         : (meanH - 360) / 2;
    }
    const double t = 1 - 0.17 * std::cos(Radians(meanH - 30)) +
                     0.24 * std::cos(Radians(2 * meanH)) + 0.32 * std::cos(Radians(3 * meanH + 6)) -
                     0.20 * std::cos(Radians(4 * meanH - 63));
    const double theta = 30 * std::exp(-std::pow((meanH - 275) / 25, 2));
    const double rc = 2 * std::sqrt(pow7(meanCp) / (pow7(meanCp) + pow7(25)));
    const double sl = 1 + 0.015 * std::pow(meanL - 50, 2) / std::sqrt(20 + std::pow(meanL - 50, 2));
    const double sc = 1 + 0.045 * meanCp, sh = 1 + 0.015 * meanCp * t;
    const double rt = -std::sin(Radians(2 * theta)) * rc;
    return std::sqrt(std::pow(dL / sl, 2) + std::pow(dC / sc, 2) + std::pow(dH / sh, 2) +
                     rt * (dC / sc) * (dH / sh));
}

}  // namespace

double ContrastRatio(QColor a, QColor b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double DeltaE2000(QColor a, QColor b) {
    return DeltaE2000(ToLab(a), ToLab(b));
}

}  // namespace tessaly::test

namespace tessaly::test {

QColor SeenWith(Vision vision, QColor c) {
    using Row = std::array<double, 3>;
    static constexpr std::array<Row, 3> Deutan{Row{0.29275, 0.70725, 0}, Row{0.29275, 0.70725, 0},
                                               Row{-0.02234, 0.02234, 1}};
    static constexpr std::array<Row, 3> Protan{Row{0.11238, 0.88762, 0}, Row{0.11238, 0.88762, 0},
                                               Row{0.00401, -0.00401, 1}};
    if (vision == Vision::Normal) return c;
    const auto& m = vision == Vision::Deuteranopia ? Deutan : Protan;
    const Row in{Linear(c.red()), Linear(c.green()), Linear(c.blue())};
    auto out = [&](int i) { return Encoded(m[i][0] * in[0] + m[i][1] * in[1] + m[i][2] * in[2]); };
    return QColor(out(0), out(1), out(2));
}

double LeastDeltaE2000(QColor a, QColor b) {
    double least = DeltaE2000(a, b);
    for (Vision v : {Vision::Deuteranopia, Vision::Protanopia}) {
        least = std::min(least, DeltaE2000(SeenWith(v, a), SeenWith(v, b)));
    }
    return least;
}

}  // namespace tessaly::test
