#include "sheet/backgroundpattern.h"

#include <QTest>

using namespace Tarvosk;
using namespace Qt::StringLiterals;

class TestBackgroundPattern : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyPatternHasItsTile_data();
    void everyPatternHasItsTile();
    void noPatternAndUnknownNumbersGiveNothing();
    void tintBrightensTheFaceWithoutWrapping();
    void stripRepeatsTheTileAndCutsTheLastCopy_data();
    void stripRepeatsTheTileAndCutsTheLastCopy();
    void menuCaptions();
};

void TestBackgroundPattern::everyPatternHasItsTile_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("width");
    QTest::newRow("Glyphen") << 1 << 94;
    QTest::newRow("Bars") << 2 << 275;
    QTest::newRow("Wolken") << 3 << 350;
    QTest::newRow("Wasser") << 4 << 173;
    QTest::newRow("Bullets") << 5 << 287;
    QTest::newRow("Filter") << 6 << 6;
    QTest::newRow("Faces") << 7 << 160;
}

void TestBackgroundPattern::everyPatternHasItsTile()
{
    QFETCH(int, pattern);
    QFETCH(int, width);
    const std::optional<PatternTile> tile = loadPatternTile(pattern);
    QVERIFY(tile);
    QCOMPARE(tile->width, width);
    QCOMPARE(tile->intensities.size(), qsizetype(width) * patternTileHeight);
}

void TestBackgroundPattern::noPatternAndUnknownNumbersGiveNothing()
{
    QVERIFY(!loadPatternTile(0));
    QVERIFY(!loadPatternTile(8));
    QVERIFY(!loadPatternTile(-1));
}

void TestBackgroundPattern::tintBrightensTheFaceWithoutWrapping()
{
    PatternTile tile{2, QByteArray(2 * patternTileHeight, '\0')};
    tile.intensities[1] = char(200);
    const QImage image = tintedTile(tile, QColor(100, 180, 240));
    QCOMPARE(image.size(), QSize(2, patternTileHeight));
    QCOMPARE(image.pixelColor(0, 0), QColor(100, 180, 240)); // byte 0: the plain face
    QCOMPARE(image.pixelColor(1, 0), QColor(255, 255, 255)); // clamped, never wrapped

    const QImage white = tintedTile(tile, Qt::white);
    QCOMPARE(white.pixelColor(1, 0), QColor(Qt::white));
    QCOMPARE(white.pixelColor(0, 5), QColor(Qt::white));

    QVERIFY(tintedTile(PatternTile{4, QByteArray(10, '\0')}, Qt::gray).isNull()); // too short
}

void TestBackgroundPattern::stripRepeatsTheTileAndCutsTheLastCopy_data()
{
    QTest::addColumn<int>("pattern");
    QTest::addColumn<int>("stripWidth");
    QTest::newRow("Filter across a wide strip") << 6 << 1280;
    QTest::newRow("Wolken on a narrow screen") << 3 << 200;
    QTest::newRow("Bars, last copy cut") << 2 << 600;
}

void TestBackgroundPattern::stripRepeatsTheTileAndCutsTheLastCopy()
{
    QFETCH(int, pattern);
    QFETCH(int, stripWidth);
    const PatternTile tile = *loadPatternTile(pattern);
    const QColor face(120, 110, 100);
    const QImage tinted = tintedTile(tile, face);
    const QImage strip = patternStrip(tile, face, stripWidth);
    QCOMPARE(strip.size(), QSize(stripWidth, patternTileHeight));
    for (int y = 0; y < patternTileHeight; y += 7) {
        for (int x = 0; x < stripWidth; x += 13)
            QCOMPARE(strip.pixelColor(x, y), tinted.pixelColor(x % tile.width, y));
        QCOMPARE(strip.pixelColor(stripWidth - 1, y), tinted.pixelColor((stripWidth - 1) % tile.width, y));
    }
}

void TestBackgroundPattern::menuCaptions()
{
    const QStringList expected{u"(&Keines)"_s, u"&Glyphen"_s, u"&Bars"_s,  u"&Wolken"_s,
                               u"W&asser"_s,   u"B&ullets"_s, u"&Filter"_s, u"Fa&ces"_s};
    for (int i = 0; i < patternCount; ++i)
        QCOMPARE(patternMenuCaption(i), expected[i]);
    QVERIFY(patternMenuCaption(8).isEmpty());
}

QTEST_GUILESS_MAIN(TestBackgroundPattern)
#include "tst_backgroundpattern.moc"
