#include "sheet/backgroundpattern.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <array>

namespace Tarvosk {

namespace {

struct PatternEntry
{
    const char16_t *caption;
    int resource; // 0: no picture
    int tileWidth;
};

const std::array<PatternEntry, patternCount> patterns{{
    {u"(&Keines)", 0, 0},
    {u"&Glyphen", 103, 94},
    {u"&Bars", 104, 275},
    {u"&Wolken", 105, 350},
    {u"W&asser", 106, 173},
    {u"B&ullets", 107, 287},
    {u"&Filter", 108, 6},
    {u"Fa&ces", 109, 160},
}};

} // namespace

QString patternMenuCaption(int pattern)
{
    if (pattern < 0 || pattern >= patternCount)
        return QString();
    return QString::fromUtf16(patterns[pattern].caption);
}

std::optional<PatternTile> loadPatternTile(int pattern)
{
    if (pattern < 1 || pattern >= patternCount)
        return std::nullopt;
    const PatternEntry &entry = patterns[pattern];
    QFile resource(QStringLiteral(":/custom/%1").arg(entry.resource));
    if (!resource.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qsizetype size = qsizetype(entry.tileWidth) * patternTileHeight;
    QByteArray bytes = resource.read(size);
    if (bytes.size() < size)
        return std::nullopt;
    return PatternTile{entry.tileWidth, bytes};
}

QImage tintedTile(const PatternTile &tile, QColor face)
{
    if (tile.width <= 0 || tile.intensities.size() < qsizetype(tile.width) * patternTileHeight)
        return QImage();
    QImage image(tile.width, patternTileHeight, QImage::Format_RGB888);
    const auto *bytes = reinterpret_cast<const uchar *>(tile.intensities.constData());
    for (int y = 0; y < patternTileHeight; ++y) {
        uchar *line = image.scanLine(y);
        for (int x = 0; x < tile.width; ++x) {
            const int b = bytes[y * tile.width + x];
            line[3 * x] = uchar(std::min(face.red() + b, 255));
            line[3 * x + 1] = uchar(std::min(face.green() + b, 255));
            line[3 * x + 2] = uchar(std::min(face.blue() + b, 255));
        }
    }
    return image;
}

QImage patternStrip(const PatternTile &tile, QColor face, int width)
{
    const QImage tinted = tintedTile(tile, face);
    if (tinted.isNull() || width <= 0)
        return QImage();
    QImage strip(width, patternTileHeight, QImage::Format_RGB888);
    QPainter painter(&strip);
    for (int x = 0; x < width; x += tile.width)
        painter.drawImage(x, 0, tinted);
    return strip;
}

std::optional<QImage> barPattern(int pattern, const QColor &face)
{
    const std::optional<PatternTile> tile = loadPatternTile(pattern);
    if (!tile)
        return pattern >= 1 && pattern < patternCount ? std::nullopt : std::optional(QImage());
    const QScreen *screen = QGuiApplication::primaryScreen();
    QImage strip = patternStrip(*tile, face, screen ? screen->geometry().width() : 1920);
    return strip.isNull() ? std::nullopt : std::optional(strip);
}

} // namespace Tarvosk
