#include "sheet/sheetpainter.h"

#include "sheet/charactersheet.h"
#include "sheet/sheetlayout.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Tarvosk {

namespace {

// The page was drawn at 96 pixels per inch (15 twips a pixel): a point is 4/3
// page pixels, whatever device the page is scaled onto.
constexpr qreal pagePixelsPerPoint = 96.0 / 72.0;

const QColor ink(Qt::black);
const QColor paper(Qt::white);

QFont standardFont(qreal pointSize)
{
    QFont font(u"Times New Roman"_s);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    return font;
}

// A font whose size is in page pixels on the painter's device: QPainter turns
// points into pixels by the device's logical DPI, before its transform scales
// the page, so the size is stated in points of that DPI. Text then scales with
// the page on a screen, a HiDPI image, a printer or a PDF alike.
QFont onPage(const QFont &font, const QPaintDevice &device)
{
    QFont scaled(font);
    scaled.setPointSizeF(pagePixelSize(font) * 72.0 / std::max(device.logicalDpiY(), 1));
    return scaled;
}

// Every text stays inside its cell: cut short with an ellipsis in width, and
// drawText clips what a font too tall for the row would spill.
class CellWriter
{
public:
    CellWriter(QPainter &painter, const QFont &font)
        : m_painter(painter)
        , m_font(onPage(font, *painter.device()))
        , m_metrics(m_font, painter.device())
    {
    }

    void write(const QRect &cell, Qt::Alignment alignment, const QString &text)
    {
        if (text.isEmpty() || cell.isEmpty())
            return;
        m_painter.setFont(m_font);
        m_painter.setPen(ink);
        m_painter.drawText(cell, int(alignment | Qt::AlignVCenter | Qt::TextSingleLine),
                           m_metrics.elidedText(text, Qt::ElideRight, cell.width()));
    }

private:
    QPainter &m_painter;
    QFont m_font;
    QFontMetricsF m_metrics;
};

// A line of width 0 is the device's thinnest; any other fills its pixels.
void drawRule(QPainter &painter, const QLine &line, int width)
{
    if (width <= 0 || (line.dx() != 0 && line.dy() != 0)) {
        painter.save();
        painter.setPen(QPen(ink, std::max(width, 0)));
        painter.drawLine(QLineF(line).translated(0.5, 0.5));
        painter.restore();
        return;
    }
    const QRect ends = QRect(line.p1(), line.p2()).normalized();
    if (line.dy() == 0)
        painter.fillRect(QRect(ends.left(), ends.top(), ends.width(), width), ink);
    else
        painter.fillRect(QRect(ends.left(), ends.top(), width, ends.height()), ink);
}

void drawFrame(QPainter &painter, const QRect &frame, int width)
{
    if (width <= 0) {
        painter.save();
        painter.setPen(QPen(ink, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(frame).adjusted(0.5, 0.5, -0.5, -0.5));
        painter.restore();
        return;
    }
    width = std::min({width, frame.width() / 2, frame.height() / 2});
    painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), width), ink);
    painter.fillRect(QRect(frame.left(), frame.bottom() - width + 1, frame.width(), width), ink);
    painter.fillRect(QRect(frame.left(), frame.top(), width, frame.height()), ink);
    painter.fillRect(QRect(frame.right() - width + 1, frame.top(), width, frame.height()), ink);
}

bool inPane(const QLine &line)
{
    const QRect pane = SheetLayout::equipmentPane();
    return pane.contains(line.p1()) && pane.contains(line.p2());
}

int ruleWidth(const SheetLayout::Rule &rule, const SheetLook &look)
{
    return rule.width >= 2 ? look.thickWidth : look.thinWidth;
}

} // namespace

SheetLook SheetLook::standard()
{
    SheetLook look;
    look.headline = standardFont(18);
    look.labels = standardFont(8);
    look.values = standardFont(8);
    return look;
}

void paintEquipmentPane(QPainter &painter, const CharacterSheet &sheet, const SheetLook &look)
{
    const QRect pane = SheetLayout::equipmentPane();
    painter.fillRect(pane, paper);
    if (look.rulesOn) {
        for (const SheetLayout::Rule &rule : SheetLayout::rules()) {
            if (inPane(rule.line))
                drawRule(painter, rule.line, ruleWidth(rule, look));
        }
    }
    // The last band reaches below the pane.
    painter.save();
    painter.setClipRect(pane, Qt::IntersectClip);
    CellWriter writer(painter, look.values);
    for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line) {
        const QRect band = SheetLayout::equipmentLineRect(line);
        writer.write(band.adjusted(SheetLayout::equipmentTextIndent, 0, -SheetLayout::equipmentTextIndent / 2, 0),
                     Qt::AlignLeft, sheet.equipmentLine(line));
    }
    painter.restore();
}

void paintSheetPage(QPainter &painter, const CharacterSheet &sheet, const SheetLook &look)
{
    painter.fillRect(QRect(QPoint(0, 0), SheetLayout::pageSize), paper);

    if (look.framesOn) {
        for (const QRect &frame : SheetLayout::frames())
            drawFrame(painter, frame, look.thickWidth);
    }
    if (look.rulesOn) {
        for (const SheetLayout::Rule &rule : SheetLayout::rules()) {
            if (!inPane(rule.line))
                drawRule(painter, rule.line, ruleWidth(rule, look));
        }
    }

    CellWriter headline(painter, look.headline);
    CellWriter labels(painter, look.labels);
    for (int i = 0; i < CharacterSheet::captionCount; ++i) {
        CellWriter &writer = i == CharacterSheet::nameCaption || i == CharacterSheet::classCaption ? headline : labels;
        writer.write(SheetLayout::captionRect(i), SheetLayout::captionAlignment(i), sheet.caption(i));
    }
    CellWriter values(painter, look.values);
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        values.write(SheetLayout::valueRect(i), SheetLayout::valueAlignment(i), sheet.value(i));

    paintEquipmentPane(painter, sheet, look);
}

qreal pagePixelSize(const QFont &font)
{
    if (font.pointSizeF() > 0)
        return font.pointSizeF() * pagePixelsPerPoint;
    if (font.pixelSize() > 0)
        return font.pixelSize();
    return 8 * pagePixelsPerPoint;
}

} // namespace Tarvosk
