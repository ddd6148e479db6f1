#pragma once

#include <QColor>

namespace Tarvosk {

// The contrast of two colours as screen-reading guidelines measure it:
// 1 for equal colours up to 21 for black on white.
double contrastRatio(const QColor &a, const QColor &b);

// The wanted colour, made darker on a light background or lighter on a dark
// one, as little as needed to read at the given contrast; its hue stays.
QColor readableOn(const QColor &wanted, const QColor &background, double minimumContrast = 4.5);

} // namespace Tarvosk
