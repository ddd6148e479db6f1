#include "sheet/charactersheet.h"
#include "sheet/sheetlayout.h"
#include "sheet/sheetpainter.h"

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QTest>

#include <algorithm>
#include <vector>

using namespace Qt::StringLiterals;
using namespace Tarvosk;
using Hit = SheetLayout::Hit;

namespace {

const QRect page(QPoint(0, 0), SheetLayout::pageSize);

struct Cell
{
    Hit label;
    QRect rect;

    QString name() const
    {
        static const QStringList kinds{u"nothing"_s, u"caption"_s, u"value"_s, u"equipment line"_s};
        return kinds[int(label.kind)] + u' ' + QString::number(label.index);
    }
};

// Every place a text is drawn: captions, values and equipment lines.
std::vector<Cell> textCells()
{
    std::vector<Cell> cells;
    for (int i = 0; i < CharacterSheet::captionCount; ++i)
        cells.push_back({{Hit::Kind::Caption, i}, SheetLayout::captionRect(i)});
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        cells.push_back({{Hit::Kind::Value, i}, SheetLayout::valueRect(i)});
    for (int i = 0; i < CharacterSheet::equipmentLineCount; ++i)
        cells.push_back({{Hit::Kind::EquipmentLine, i}, SheetLayout::equipmentLineRect(i) & SheetLayout::equipmentPane()});
    return cells;
}

void write(CharacterSheet &sheet, const Hit &label, const QString &text)
{
    switch (label.kind) {
    case Hit::Kind::Caption:
        sheet.setCaption(label.index, text);
        break;
    case Hit::Kind::Value:
        sheet.setValue(label.index, text);
        break;
    case Hit::Kind::EquipmentLine:
        sheet.setEquipmentLine(label.index, text);
        break;
    case Hit::Kind::Nothing:
        break;
    }
}

// The pixels a line of the given width covers: it grows right or down.
QRect ruleArea(const SheetLayout::Rule &rule)
{
    const QRect ends = QRect(rule.line.p1(), rule.line.p2()).normalized();
    return rule.line.dy() == 0 ? QRect(ends.left(), ends.top(), ends.width(), rule.width)
                               : QRect(ends.left(), ends.top(), rule.width, ends.height());
}

QRegion frameBorder(const QRect &frame, int width)
{
    return QRegion(frame).subtracted(QRegion(frame.adjusted(width, width, -width, -width)));
}

// The pixels the standard look's frames and ruling lines cover.
QRegion linesArea()
{
    QRegion area;
    for (const SheetLayout::Rule &rule : SheetLayout::rules())
        area += ruleArea(rule);
    for (const QRect &frame : SheetLayout::frames())
        area += frameBorder(frame, SheetLook::standard().thickWidth);
    return area;
}

// A sheet with a text in every cell, long ones where a real sheet has them.
CharacterSheet filledSheet()
{
    CharacterSheet sheet;
    sheet.setCaption(0, u"Friedrich Wilhelm von Hohenstein"_s);
    sheet.setCaption(1, u"Privatdetektiv"_s);
    const QStringList personal{u"Martina Köhler"_s,     u"Deutsches Reich (Sprache+14)"_s,
                               u"14. März (Fische)"_s,  u"evangelisch-lutherisch"_s,
                               u"182cm / 78kg"_s,       u"Europäer"_s,
                               u"graublau"_s,           u"dunkelblond"_s,
                               u"H (37.5 $)"_s,         u"12"_s,
                               u"Spielt mit der Taschenuhr"_s, u"34"_s,
                               u"Linkshänder, spricht mit leichtem sächsischem Akzent"_s,
                               u"Berlin, Friedrichstraße 112, Hinterhaus, zweiter Hof links"_s};
    for (int i = 0; i < personal.size(); ++i)
        sheet.setValue(i, personal[i]);
    for (int i = 14; i <= 36; ++i)
        sheet.setValue(i, QString::number(31 + (i * 7) % 60));
    const QStringList further{u"Sprechen Englisch"_s, u"Schreiben Englisch"_s, u"Erste Hilfe"_s,
                              u"Fotografieren"_s,     u"Schlösser öffnen"_s,   u"Kutsche fahren"_s};
    for (int m = 0; m < 21; ++m)
        sheet.setCaption(58 + m, further[m % further.size()]);
    for (int v = 37; v <= 128; ++v)
        sheet.setValue(v, v % 2 ? u"*+%1"_s.arg(v % 13) : u"+%1"_s.arg(v % 9));
    const QStringList weapons{u"Dolch"_s,  u"waffenl.Kampf"_s, u"Werfen"_s,     u"Pistole"_s,
                              u"Schrotflinte"_s, u"Gewehr"_s, u"Maschinengewehr"_s, u"Scharfschützengewehr"_s};
    for (int row = 0; row < 16; ++row) {
        const int cell = 129 + 4 * row;
        sheet.setValue(cell, weapons[row % weapons.size()]);
        sheet.setValue(cell + 1, row % 3 ? u"+%1"_s.arg(4 + row) : u"*+%1"_s.arg(5 + row));
        sheet.setValue(cell + 2, row % 2 ? u"2W6+2"_s : u"1W6"_s);
        sheet.setValue(cell + 3, QString::number(1 + row % 4));
    }
    for (int v = 193; v <= 196; ++v)
        sheet.setValue(v, u"+12"_s);
    const QStringList items{u"Smith & Wesson Schofield (6x .45in S&W, SA)"_s, u"Munnitionsgurt"_s,
                            u"Taschenuhr"_s, u"Winchester 1873 Muskete (15x 45.in LC)"_s};
    for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line)
        sheet.setEquipmentLine(line, items[line % items.size()]);
    return sheet;
}

// The page drawn at `ratio` device pixels per page pixel, on a margin of green
// that the page must leave alone. With a `dpi`, the image has that resolution
// and the painter scales the page, as for a printer; otherwise the image has a
// device pixel ratio, as on a HiDPI screen.
QImage render(const CharacterSheet &sheet, const SheetLook &look, int ratio = 1, int dpi = 0)
{
    QImage image((SheetLayout::pageSize + QSize(40, 40)) * ratio, QImage::Format_RGB32);
    if (dpi > 0) {
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
    } else {
        image.setDevicePixelRatio(ratio);
    }
    image.fill(Qt::green);
    QPainter painter(&image);
    if (dpi > 0)
        painter.scale(ratio, ratio);
    paintSheetPage(painter, sheet, look);
    return image;
}

bool dark(QRgb pixel)
{
    return qGray(pixel) < 128;
}

int darkPixels(const QImage &image, const QRect &deviceRect)
{
    int count = 0;
    for (int y = deviceRect.top(); y <= deviceRect.bottom(); ++y) {
        for (int x = deviceRect.left(); x <= deviceRect.right(); ++x)
            count += dark(image.pixel(x, y));
    }
    return count;
}

QRect inkBounds(const QImage &image, const QRect &deviceRect)
{
    QRect bounds;
    for (int y = deviceRect.top(); y <= deviceRect.bottom(); ++y) {
        for (int x = deviceRect.left(); x <= deviceRect.right(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

QRect scaled(const QRect &rect, int ratio)
{
    return QRect(rect.topLeft() * ratio, rect.size() * ratio);
}

} // namespace

class TestSheetPainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyLabelHasACellOnThePage();
    void cellsDoNotOverlap();
    void linesAndFramesCrossNoCell();
    void labelAt_data();
    void labelAt();
    void filledPageStaysOnThePaper();
    void overfullTextStaysInItsCell_data();
    void overfullTextStaysInItsCell();
    void linesFollowTheLook_data();
    void linesFollowTheLook();
    void doubleSizeDrawsTheSamePageSharp_data();
    void doubleSizeDrawsTheSamePageSharp();
};

void TestSheetPainter::everyLabelHasACellOnThePage()
{
    for (const Cell &cell : textCells()) {
        QVERIFY2(!cell.rect.isEmpty(), qPrintable(cell.name()));
        QVERIFY2(page.contains(cell.rect), qPrintable(cell.name()));
    }
    QVERIFY(SheetLayout::captionRect(-1).isNull());
    QVERIFY(SheetLayout::captionRect(CharacterSheet::captionCount).isNull());
    QVERIFY(SheetLayout::valueRect(CharacterSheet::valueCount).isNull());
    QVERIFY(SheetLayout::equipmentLineRect(CharacterSheet::overflowLineIndex).isNull());
    for (const QRect &frame : SheetLayout::frames())
        QVERIFY(page.contains(frame));
}

void TestSheetPainter::cellsDoNotOverlap()
{
    std::vector<Cell> cells = textCells();
    for (size_t a = 0; a < cells.size(); ++a) {
        for (size_t b = a + 1; b < cells.size(); ++b) {
            QVERIFY2(!cells[a].rect.intersects(cells[b].rect),
                     qPrintable(cells[a].name() + u" and "_s + cells[b].name()));
        }
    }
}

void TestSheetPainter::linesAndFramesCrossNoCell()
{
    const int frameWidth = SheetLook::standard().thickWidth;
    for (const Cell &cell : textCells()) {
        for (const SheetLayout::Rule &rule : SheetLayout::rules())
            QVERIFY2(!ruleArea(rule).intersects(cell.rect), qPrintable(cell.name()));
        for (const QRect &frame : SheetLayout::frames())
            QVERIFY2(!frameBorder(frame, frameWidth).intersects(cell.rect), qPrintable(cell.name()));
    }
    for (const SheetLayout::Rule &rule : SheetLayout::rules()) {
        for (const QRect &frame : SheetLayout::frames())
            QVERIFY(!frameBorder(frame, frameWidth).intersects(ruleArea(rule)));
    }
}

void TestSheetPainter::labelAt_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<Hit>("expected");

    const auto caption = [](int i) { return Hit{Hit::Kind::Caption, i}; };
    const auto value = [](int i) { return Hit{Hit::Kind::Value, i}; };
    const auto line = [](int i) { return Hit{Hit::Kind::EquipmentLine, i}; };

    QTest::newRow("name") << QPoint(100, 20) << caption(0);
    QTest::newRow("class") << QPoint(560, 20) << caption(1);
    QTest::newRow("Spieler") << QPoint(20, 47) << caption(2);
    QTest::newRow("player's name") << QPoint(200, 47) << value(0);
    QTest::newRow("Adresse") << QPoint(500, 160) << value(13);
    QTest::newRow("St head") << QPoint(34, 183) << caption(21);
    QTest::newRow("Hgw value") << QPoint(554, 200) << value(27);
    QTest::newRow("Sechster Sinn value") << QPoint(560, 240) << value(33);
    QTest::newRow("first skill") << QPoint(20, 318) << caption(33);
    QTest::newRow("last further skill") << QPoint(210, 670) << caption(78);
    QTest::newRow("its second value") << QPoint(370, 670) << value(128);
    QTest::newRow("last weapon's PP") << QPoint(370, 825) << value(192);
    QTest::newRow("Ausweichen's second value") << QPoint(560, 825) << value(196);
    QTest::newRow("pane top") << QPoint(410, 328) << line(0);
    QTest::newRow("pane Y 35") << QPoint(450, 328 + 35) << line(2);
    QTest::newRow("pane bottom") << QPoint(570, 789) << line(28);
    QTest::newRow("margin") << QPoint(3, 3) << Hit{};
    QTest::newRow("between frames") << QPoint(300, 172) << Hit{};
    QTest::newRow("ruling line") << QPoint(200, 55) << Hit{};
    QTest::newRow("empty block") << QPoint(300, 280) << Hit{};
    QTest::newRow("off the page") << QPoint(600, 900) << Hit{};
}

void TestSheetPainter::labelAt()
{
    QFETCH(QPoint, point);
    QFETCH(Hit, expected);
    const Hit hit = SheetLayout::labelAt(point);
    QCOMPARE(int(hit.kind), int(expected.kind));
    QCOMPARE(hit.index, expected.index);
}

void TestSheetPainter::filledPageStaysOnThePaper()
{
    QRegion inked = linesArea();
    for (const Cell &cell : textCells())
        inked += cell.rect;

    const QImage image = render(filledSheet(), SheetLook::standard());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (!page.contains(x, y))
                QVERIFY2(pixel == QColor(Qt::green).rgb(), qPrintable(u"%1,%2"_s.arg(x).arg(y)));
            else if (pixel != qRgb(255, 255, 255))
                QVERIFY2(inked.contains(QPoint(x, y)), qPrintable(u"%1,%2"_s.arg(x).arg(y)));
        }
    }
    for (const Cell &cell : textCells())
        QVERIFY2(darkPixels(image, cell.rect) > 0, qPrintable(cell.name()));
}

void TestSheetPainter::overfullTextStaysInItsCell_data()
{
    QTest::addColumn<qreal>("pointSize");
    QTest::newRow("standard fonts") << 0.0;
    QTest::newRow("20 point fonts") << 20.0;
}

void TestSheetPainter::overfullTextStaysInItsCell()
{
    QFETCH(qreal, pointSize);
    SheetLook look = SheetLook::standard();
    look.framesOn = false;
    look.rulesOn = false;
    if (pointSize > 0) {
        for (QFont *font : {&look.headline, &look.labels, &look.values})
            font->setPointSizeF(pointSize);
    }
    const QString tooLong = u"Überlange Eintragung, gjpqy, die in keine Zelle passt, WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"_s;

    // One cell at a time, so that ink running into a neighbour shows.
    for (const Cell &cell : textCells()) {
        CharacterSheet sheet;
        for (const Cell &other : textCells())
            write(sheet, other.label, QString());
        write(sheet, cell.label, tooLong);
        const QImage image = render(sheet, look);
        const QRect around = cell.rect.adjusted(-40, -40, 40, 40) & page;
        for (int y = around.top(); y <= around.bottom(); ++y) {
            for (int x = around.left(); x <= around.right(); ++x) {
                if (!cell.rect.contains(x, y) && image.pixel(x, y) != qRgb(255, 255, 255))
                    QFAIL(qPrintable(cell.name() + u" at %1,%2"_s.arg(x).arg(y)));
            }
        }
    }
}

void TestSheetPainter::linesFollowTheLook_data()
{
    QTest::addColumn<bool>("framesOn");
    QTest::addColumn<bool>("rulesOn");
    QTest::newRow("both") << true << true;
    QTest::newRow("frames only") << true << false;
    QTest::newRow("lines only") << false << true;
    QTest::newRow("neither") << false << false;
}

void TestSheetPainter::linesFollowTheLook()
{
    QFETCH(bool, framesOn);
    QFETCH(bool, rulesOn);
    SheetLook look = SheetLook::standard();
    look.framesOn = framesOn;
    look.rulesOn = rulesOn;
    const QImage image = render(filledSheet(), look);

    for (const SheetLayout::Rule &rule : SheetLayout::rules()) {
        const QPoint middle = ruleArea(rule).center();
        QVERIFY2(dark(image.pixel(middle)) == rulesOn, qPrintable(u"rule at %1,%2"_s.arg(middle.x()).arg(middle.y())));
    }
    for (const QRect &frame : SheetLayout::frames()) {
        QCOMPARE(dark(image.pixel(frame.center().x(), frame.top())), framesOn);
        QCOMPARE(dark(image.pixel(frame.left(), frame.center().y())), framesOn);
    }
}

void TestSheetPainter::doubleSizeDrawsTheSamePageSharp_data()
{
    QTest::addColumn<int>("dpi");
    QTest::newRow("device pixel ratio 2") << 0;
    QTest::newRow("printer resolution, painter scaled") << 600;
}

void TestSheetPainter::doubleSizeDrawsTheSamePageSharp()
{
    QFETCH(int, dpi);
    const CharacterSheet sheet = filledSheet();
    const SheetLook look = SheetLook::standard();
    const QImage single = render(sheet, look);
    const QImage twice = render(sheet, look, 2, dpi);
    QCOMPARE(twice.size(), single.size() * 2);

    if (const QString file = qEnvironmentVariable("TARVOSK_SHEET_PNG"); !file.isEmpty() && dpi == 0)
        twice.copy(scaled(page, 2)).save(file);

    const QRegion lines = linesArea();
    // Lines fill whole device pixels, with no grey beside them.
    for (const SheetLayout::Rule &rule : SheetLayout::rules()) {
        const QRect area = ruleArea(rule);
        for (const auto &[image, ratio] : {std::pair(single, 1), std::pair(twice, 2)}) {
            const QRect pixels = scaled(area, ratio);
            QCOMPARE(darkPixels(image, pixels), pixels.width() * pixels.height());
            const QPoint middle = area.center();
            const QPoint before = rule.line.dy() == 0 ? QPoint(middle.x(), area.top() - 1) : QPoint(area.left() - 1, middle.y());
            const QPoint after = rule.line.dy() == 0 ? QPoint(middle.x(), area.bottom() + 1) : QPoint(area.right() + 1, middle.y());
            for (const QPoint &next : {before, after}) {
                if (SheetLayout::labelAt(next).kind == Hit::Kind::Nothing && !lines.contains(next)) {
                    for (const QPoint &corner : {QPoint(0, 0), QPoint(ratio - 1, ratio - 1)})
                        QCOMPARE(image.pixel(next * ratio + corner), qRgb(255, 255, 255));
                }
            }
        }
    }
    // Texts take the same place, drawn with twice the pixels; hinting may move
    // an edge by a page pixel.
    for (const Cell &cell : textCells()) {
        const QRect atSingle = inkBounds(single, cell.rect);
        const QRect atTwice = inkBounds(twice, scaled(cell.rect, 2));
        const QRect expected = scaled(atSingle, 2);
        const QMargins off(atTwice.left() - expected.left(), atTwice.top() - expected.top(),
                           atTwice.right() - expected.right(), atTwice.bottom() - expected.bottom());
        QVERIFY2(qAbs(off.left()) <= 3 && qAbs(off.top()) <= 3 && qAbs(off.right()) <= 3 && qAbs(off.bottom()) <= 3,
                 qPrintable(cell.name()));
        QVERIFY2(darkPixels(twice, scaled(cell.rect, 2)) > 2 * darkPixels(single, cell.rect), qPrintable(cell.name()));
    }
}

QTEST_MAIN(TestSheetPainter)
#include "tst_sheetpainter.moc"
