#include "widgets/readablecolour.h"

#include <algorithm>
#include <cmath>

namespace Tarvosk {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &colour)
{
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &wanted, const QColor &background, double minimumContrast)
{
    // Which way has room: black reaches 21:1 on white, white on black.
    const bool darken = contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background);
    QColor colour = wanted.toHsl();
    for (int step = 0; step < 100 && contrastRatio(colour, background) < minimumContrast; ++step) {
        const float next = std::clamp(colour.lightnessF() + (darken ? -0.02f : 0.02f), 0.0f, 1.0f);
        colour.setHslF(colour.hslHueF(), colour.hslSaturationF(), next, colour.alphaF());
        if (next == 0.0f || next == 1.0f)
            break;
    }
    return colour.toRgb();
}

} // namespace Tarvosk
