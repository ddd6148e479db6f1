#include "sheet/backgroundpattern.h"

#include <QTest>

using namespace Tarvosk;

class TestBackgroundPattern : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void patternsOneToSevenHaveTilesAndCaptions()
    {
        for (int pattern = -1; pattern <= patternCount; ++pattern) {
            const std::optional<PatternTile> tile = loadPatternTile(pattern);
            QCOMPARE(bool(tile), pattern >= 1 && pattern < patternCount);
            QCOMPARE(patternMenuCaption(pattern).isEmpty(), pattern < 0 || pattern >= patternCount);
            if (tile)
                QVERIFY(tile->width > 0 && tile->intensities.size() == qsizetype(tile->width) * patternTileHeight);
        }
    }

    void tintBrightensTheFaceWithoutWrapping()
    {
        PatternTile tile{2, QByteArray(2 * patternTileHeight, '\0')};
        tile.intensities[1] = char(200);
        const QImage image = tintedTile(tile, QColor(100, 180, 240));
        QCOMPARE(image.pixelColor(0, 0), QColor(100, 180, 240)); // byte 0: the plain face
        QCOMPARE(image.pixelColor(1, 0), QColor(255, 255, 255)); // clamped, never wrapped
        QVERIFY(tintedTile(PatternTile{4, QByteArray(10, '\0')}, Qt::gray).isNull()); // too short
    }

    void stripRepeatsTheTileAndCutsTheLastCopy()
    {
        // Filter across a wide strip, Wolken on a narrow screen, Bars with the last copy cut.
        for (const auto &[pattern, stripWidth] : {std::pair{6, 1280}, {3, 200}, {2, 600}}) {
            const PatternTile tile = *loadPatternTile(pattern);
            const QImage tinted = tintedTile(tile, QColor(120, 110, 100));
            const QImage strip = patternStrip(tile, QColor(120, 110, 100), stripWidth);
            QCOMPARE(strip.size(), QSize(stripWidth, patternTileHeight));
            for (int y = 0; y < patternTileHeight; y += 7)
                for (int x = 0; x < stripWidth; ++x)
                    QCOMPARE(strip.pixelColor(x, y), tinted.pixelColor(x % tile.width, y));
        }
    }
};

QTEST_GUILESS_MAIN(TestBackgroundPattern)
#include "tst_backgroundpattern.moc"
