#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include <optional>

namespace Tarvosk {

// A greyscale tile: 32 rows of one intensity byte per pixel.
struct PatternTile
{
    int width = 0;
    QByteArray intensities;
};

inline constexpr int patternTileHeight = 32;
inline constexpr int patternCount = 8; // 0 is "no pattern"

// The menu entries of the patterns, 0 to 7.
QString patternMenuCaption(int pattern);

// The tile of pattern 1 to 7 from the program's resources; nothing for 0,
// an unknown number, or a resource that is missing or too short.
std::optional<PatternTile> loadPatternTile(int pattern);

// The tile brightening the face colour: every byte is added to red, green and
// blue, never past 255.
QImage tintedTile(const PatternTile &tile, QColor face);

// A strip of the given width and the tile's height, the tinted tile repeated
// from the left edge; the last copy is cut at the end.
QImage patternStrip(const PatternTile &tile, QColor face, int width);

// The strip that patterns a button bar of this face colour across the primary
// screen: an empty image for pattern 0; nothing when the tile cannot be had,
// so the bars keep what they show.
std::optional<QImage> barPattern(int pattern, const QColor &face);

} // namespace Tarvosk
