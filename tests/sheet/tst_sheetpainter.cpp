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
const QRgb white = qRgb(255, 255, 255);

// A place a text is drawn: a caption, a value or an equipment line (whose text is indented).
struct Cell
{
    Hit label;
    QRect rect;
    bool (CharacterSheet::*set)(int, const QString &);
    Qt::Alignment alignment = Qt::AlignLeft;

    QString name() const { return u"kind %1, index %2"_s.arg(int(label.kind)).arg(label.index); }
    void write(CharacterSheet &sheet, const QString &text) const { (sheet.*set)(label.index, text); }
};

std::vector<Cell> textCells()
{
    std::vector<Cell> cells;
    for (int i = 0; i < CharacterSheet::captionCount; ++i)
        cells.push_back({{Hit::Kind::Caption, i}, SheetLayout::captionRect(i), &CharacterSheet::setCaption,
                         SheetLayout::captionAlignment(i)});
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        cells.push_back({{Hit::Kind::Value, i}, SheetLayout::valueRect(i), &CharacterSheet::setValue,
                         SheetLayout::valueAlignment(i)});
    for (int i = 0; i < CharacterSheet::equipmentLineCount; ++i)
        cells.push_back({{Hit::Kind::EquipmentLine, i}, SheetLayout::equipmentLineRect(i) & SheetLayout::equipmentPane(),
                         &CharacterSheet::setEquipmentLine});
    return cells;
}

// The ruling lines of the standard look: each grows right or down with its width.
QRegion rulesArea()
{
    QRegion area;
    for (const auto &[line, width] : SheetLayout::rules())
        area += QRect(line.p1(), line.p2()).normalized().adjusted(0, 0, line.dy() ? width - 1 : 0,
                                                                  line.dy() ? 0 : width - 1);
    return area;
}

// The frames of the standard look, whose lines grow inwards.
QRegion framesArea()
{
    QRegion area;
    const int width = SheetLook::standard().thickWidth;
    for (const QRect &frame : SheetLayout::frames())
        area += QRegion(frame).subtracted(QRegion(frame.adjusted(width, width, -width, -width)));
    return area;
}

// A text in every cell, long ones among them; every seventh cell gets the short "3".
CharacterSheet filledSheet()
{
    const QStringList texts{u"Friedrich Wilhelm von Hohenstein"_s, u"*+12"_s, u"Scharfschützengewehr"_s, u"2W6+2"_s,
                            u"Smith & Wesson Schofield (6x .45in S&W, SA)"_s, u"gjpqy"_s, u"3"_s};
    CharacterSheet sheet;
    int next = 0;
    for (const Cell &cell : textCells())
        cell.write(sheet, texts[next++ % texts.size()]);
    return sheet;
}

// The page at `ratio` device pixels per page pixel on a green margin it must leave alone: with a `dpi` the
// painter scales (a zoomed window), otherwise the image has a device pixel ratio (a HiDPI screen).
QImage render(const CharacterSheet &sheet, const SheetLook &look, int ratio = 1, int dpi = 0)
{
    QImage image((SheetLayout::pageSize + QSize(40, 40)) * ratio, QImage::Format_RGB32);
    image.fill(Qt::green);
    if (dpi > 0) {
        image.setDotsPerMeterX(qRound(dpi / 0.0254));
        image.setDotsPerMeterY(qRound(dpi / 0.0254));
    }
    image.setDevicePixelRatio(dpi > 0 ? 1 : ratio);
    QPainter painter(&image);
    painter.scale(dpi > 0 ? ratio : 1, dpi > 0 ? ratio : 1);
    paintSheetPage(painter, sheet, look);
    return image;
}

// The dark pixels of a device rectangle and the bounds of all its non-white ones.
struct Ink { int dark = 0; QRect bounds; };

Ink inkIn(const QImage &image, const QRect &deviceRect)
{
    Ink ink;
    for (int y = deviceRect.top(); y <= deviceRect.bottom(); ++y) {
        for (int x = deviceRect.left(); x <= deviceRect.right(); ++x) {
            ink.dark += qGray(image.pixel(x, y)) < 128;
            if (image.pixel(x, y) != white)
                ink.bounds |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

QRect doubled(const QRect &rect) { return QRect(rect.topLeft() * 2, rect.size() * 2); }

} // namespace

class TestSheetPainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each cell on the page, clear of the others and of the lines, and hit by labelAt from corner to corner.
    void cellsLieApartOnThePage()
    {
        const std::vector<Cell> cells = textCells();
        const QRegion lines = framesArea() + rulesArea();
        for (size_t a = 0; a < cells.size(); ++a) {
            const Cell &cell = cells[a];
            QVERIFY2(!cell.rect.isEmpty() && page.contains(cell.rect) && !lines.intersects(cell.rect), qPrintable(cell.name()));
            for (const QPoint &point : {cell.rect.topLeft(), cell.rect.bottomRight()})
                QVERIFY2(SheetLayout::labelAt(point) == cell.label, qPrintable(cell.name()));
            for (size_t b = a + 1; b < cells.size(); ++b)
                QVERIFY2(!cell.rect.intersects(cells[b].rect), qPrintable(cell.name() + u" / "_s + cells[b].name()));
        }
        // Between the cells: any point of the pane hits the line below it, a point elsewhere nothing.
        const auto line = [](int i) { return Hit{Hit::Kind::EquipmentLine, i}; };
        for (const auto &[point, hit] : {std::pair(QPoint(450, 328 + 35), line(2)), std::pair(QPoint(450, 328 + 48), line(3)),
                                         std::pair(QPoint(570, 789), line(28)), std::pair(QPoint(200, 55), Hit{})})
            QVERIFY2(SheetLayout::labelAt(point) == hit, qPrintable(u"%1,%2"_s.arg(point.x()).arg(point.y())));
        QVERIFY(SheetLayout::captionRect(-1).isNull() && SheetLayout::valueRect(CharacterSheet::valueCount).isNull()
                && SheetLayout::equipmentLineRect(CharacterSheet::overflowLineIndex).isNull());
    }

    // A long text is cut, without an ellipsis: what lies beyond the edge changes nothing; in large fonts nothing
    // shows outside the cell, not even from the last equipment band, which reaches below the pane.
    void cutsLongTextsWithoutEllipsis()
    {
        SheetLook large = SheetLook::standard();
        large.framesOn = large.rulesOn = false; // lines would hide ink running over them
        for (QFont *font : {&large.headline, &large.labels, &large.values})
            font->setPointSizeF(20);
        const QImage unwritten = render(CharacterSheet(), large);
        const std::vector<Cell> cells = textCells();
        for (const Cell &cell : {cells[CharacterSheet::nameCaption], cells[CharacterSheet::captionCount + 32], cells.back()}) {
            CharacterSheet beginning, whole;
            cell.write(beginning, u"+1"_s);
            cell.write(whole, u"+1"_s + QString(80, u' ') + u"0"_s);
            QVERIFY2(render(whole, SheetLook::standard()) == render(beginning, SheetLook::standard()), qPrintable(cell.name()));
            cell.write(whole, u"Wgjpqy"_s.repeated(20));
            QImage cut = render(whole, large), outside = unwritten;
            for (QImage *image : {&cut, &outside})
                QPainter(image).fillRect(cell.rect, Qt::white);
            QVERIFY2(cut == outside, qPrintable(cell.name()));
        }
    }

    void drawsThePage_data()
    {
        QTest::addColumn<bool>("framesOn");
        QTest::addColumn<bool>("rulesOn");
        QTest::addColumn<int>("dpi"); // 0: device pixel ratio 2, else painter scaled
        QTest::newRow("device pixel ratio 2") << true << true << 0;
        QTest::newRow("frames only, zoomed") << true << false << 600;
        QTest::newRow("rules only, zoomed") << false << true << 600;
    }

    void drawsThePage()
    {
        QFETCH(bool, framesOn);
        QFETCH(bool, rulesOn);
        QFETCH(int, dpi);
        SheetLook look = SheetLook::standard();
        look.framesOn = framesOn;
        look.rulesOn = rulesOn;
        const QImage single = render(filledSheet(), look);
        const QImage twice = render(filledSheet(), look, 2, dpi);
        const std::vector<Cell> cells = textCells();

        // Lines are whole or absent; texts and lines ink nothing else.
        QRegion inked;
        for (const auto &[area, on] : {std::pair(framesArea(), framesOn), std::pair(rulesArea(), rulesOn)}) {
            for (const QRect &rect : area)
                QCOMPARE(inkIn(single, rect).dark, on ? rect.width() * rect.height() : 0);
            inked += on ? area : QRegion();
        }
        QRegion texts;
        for (const Cell &cell : cells)
            texts += cell.rect;
        for (int y = 0; y < single.height(); ++y) {
            for (int x = 0; x < single.width(); ++x) {
                const QRgb pixel = single.pixel(x, y);
                const bool clean = page.contains(x, y) ? pixel == white || inked.contains(QPoint(x, y))
                                                       : pixel == QColor(Qt::green).rgb();
                // Away from the texts each pixel becomes 2 x 2 equal ones: lines stay sharp.
                const bool same = twice.pixel(2 * x, 2 * y) == pixel && twice.pixel(2 * x + 1, 2 * y) == pixel
                    && twice.pixel(2 * x, 2 * y + 1) == pixel && twice.pixel(2 * x + 1, 2 * y + 1) == pixel;
                if ((!clean || !same) && !texts.contains(QPoint(x, y)))
                    QFAIL(qPrintable(u"%1,%2"_s.arg(x).arg(y)));
            }
        }
        // Texts take the same place with twice the pixels; hinting may move an edge by a page pixel.
        for (const Cell &cell : cells) {
            const Ink atSingle = inkIn(single, cell.rect), atTwice = inkIn(twice, doubled(cell.rect));
            const QRect expected = doubled(atSingle.bounds), &got = atTwice.bounds;
            const int off = std::max({qAbs(got.left() - expected.left()), qAbs(got.top() - expected.top()),
                                      qAbs(got.right() - expected.right()), qAbs(got.bottom() - expected.bottom())});
            QVERIFY2(atSingle.dark > 0 && off <= 3 && atTwice.dark > 2 * atSingle.dark, qPrintable(cell.name()));
        }
        // The short texts sit at their cell's left edge, middle or right edge, as the layout aligns them.
        for (size_t k = 6; k < cells.size() && cells[k].label.kind != Hit::Kind::EquipmentLine; k += 7) {
            const QRect &rect = cells[k].rect, ink = inkIn(single, rect).bounds;
            const int off = cells[k].alignment & Qt::AlignRight     ? rect.right() - ink.right()
                          : cells[k].alignment & Qt::AlignHCenter ? qAbs(rect.center().x() - ink.center().x())
                                                                  : ink.left() - rect.left();
            QVERIFY2(qAbs(off) <= 2, qPrintable(cells[k].name()));
        }
        // The class (caption 1) in the headline font, well taller than the same text as a label (caption 8).
        QVERIFY(inkIn(single, cells[1].rect).bounds.height() > 3 * inkIn(single, cells[8].rect).bounds.height() / 2);
    }
};

QTEST_MAIN(TestSheetPainter)
#include "tst_sheetpainter.moc"
