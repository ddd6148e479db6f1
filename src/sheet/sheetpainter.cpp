#include "sheet/sheetpainter.h"

#include "sheet/charactersheet.h"
#include "sheet/sheetlayout.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Tarvosk {

namespace {

// The page was drawn at 96 pixels per inch (15 twips a pixel).
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

QRectF onDevice(const QRect &page, const PageTarget &target)
{
    return QRectF(page.left() * target.sx, page.top() * target.sy, page.width() * target.sx,
                  page.height() * target.sy);
}

// Writes the texts of one font group. QPainter turns points into pixels by the
// device's logical DPI, so the size is restated in points of that DPI: the
// text then has the target's size however the device counts its pixels. Fonts
// come in whole pixels; paper draws its texts eight times finer and scales them
// back, so that a printed size misses the group's by no more than 1/16 dot.
class TextWriter
{
public:
    TextWriter(QPainter &painter, const QFont &font, const PageTarget &target)
        : m_painter(painter)
        , m_font(font)
        , m_target(target)
        , m_fineness(target.paper ? 8 : 1)
    {
        const qreal devicePixels = pagePixelSize(font) / pagePixelsPerPoint * target.pixelsPerPoint;
        m_font.setPointSizeF(devicePixels * m_fineness * 72.0 / std::max(painter.device()->logicalDpiY(), 1));
    }

    // In the window the text is cut at the cell's edges, as a label cuts its
    // caption; paper prints it whole. It starts at the cell's top left (the
    // class ends at the cell's right).
    void write(const QRect &cell, Qt::Alignment alignment, const QString &text)
    {
        if (text.isEmpty() || cell.isEmpty())
            return;
        const QRectF box = onDevice(cell, m_target);
        int flags = int(alignment | Qt::AlignTop | Qt::TextSingleLine);
        m_painter.save();
        m_painter.setFont(m_font);
        m_painter.setPen(ink);
        if (m_target.paper) {
            flags |= Qt::TextDontClip;
            m_painter.scale(1.0 / m_fineness, 1.0 / m_fineness);
        }
        m_painter.drawText(QRectF(box.topLeft() * m_fineness, box.size() * m_fineness), flags, text);
        m_painter.restore();
    }

private:
    QPainter &m_painter;
    QFont m_font;
    const PageTarget &m_target;
    const int m_fineness;
};

// A line of width 0 is the device's thinnest; any other fills its device
// pixels, growing right or down from the page pixels the line covers.
void drawRule(QPainter &painter, const QLine &line, int width, const PageTarget &target)
{
    const QRectF ends = onDevice(QRect(line.p1(), line.p2()).normalized(), target);
    if (width <= 0 || (line.dx() != 0 && line.dy() != 0)) {
        painter.save();
        painter.setPen(QPen(ink, std::max(width, 0)));
        painter.drawLine(QLineF(line.p1().x() * target.sx, line.p1().y() * target.sy, line.p2().x() * target.sx,
                                line.p2().y() * target.sy)
                             .translated(0.5, 0.5));
        painter.restore();
        return;
    }
    if (line.dy() == 0)
        painter.fillRect(QRectF(ends.left(), ends.top(), ends.width(), width), ink);
    else
        painter.fillRect(QRectF(ends.left(), ends.top(), width, ends.height()), ink);
}

// A frame's line lies inside its rectangle, growing inwards.
void drawFrame(QPainter &painter, const QRect &frame, int width, const PageTarget &target)
{
    const QRectF outer = onDevice(frame, target);
    if (width <= 0) {
        painter.save();
        painter.setPen(QPen(ink, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(outer.adjusted(0.5, 0.5, -0.5, -0.5));
        painter.restore();
        return;
    }
    const qreal w = std::min({qreal(width), outer.width() / 2, outer.height() / 2});
    painter.fillRect(QRectF(outer.left(), outer.top(), outer.width(), w), ink);
    painter.fillRect(QRectF(outer.left(), outer.bottom() - w, outer.width(), w), ink);
    painter.fillRect(QRectF(outer.left(), outer.top(), w, outer.height()), ink);
    painter.fillRect(QRectF(outer.right() - w, outer.top(), w, outer.height()), ink);
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

void drawRules(QPainter &painter, const SheetLook &look, const PageTarget &target, bool paneRules)
{
    if (!look.rulesOn)
        return;
    for (const SheetLayout::Rule &rule : SheetLayout::rules()) {
        if (inPane(rule.line) == paneRules)
            drawRule(painter, rule.line, ruleWidth(rule, look), target);
    }
}

// The equipment lines as paper prints them, each at its printed place.
void printEquipmentLines(QPainter &painter, const CharacterSheet &sheet, const SheetLook &look,
                         const PageTarget &target)
{
    TextWriter writer(painter, look.values, target);
    for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line) {
        writer.write(QRect(SheetLayout::printedEquipmentText(line), SheetLayout::equipmentLineRect(line).size()),
                     Qt::AlignLeft, sheet.equipmentLine(line));
    }
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

PageTarget PageTarget::window()
{
    return {};
}

PageTarget PageTarget::paperOf(const QPaintDevice &device)
{
    const QSize page = SheetLayout::pageSize;
    return {qreal(device.width()) / page.width(), qreal(device.height()) / page.height(),
            std::max(device.logicalDpiY(), 1) / 72.0, true};
}

void paintEquipmentPane(QPainter &painter, const CharacterSheet &sheet, const SheetLook &look)
{
    const PageTarget target = PageTarget::window();
    const QRect pane = SheetLayout::equipmentPane();
    painter.fillRect(pane, paper);
    drawRules(painter, look, target, true);
    // The last band reaches below the pane.
    painter.save();
    painter.setClipRect(pane, Qt::IntersectClip);
    TextWriter writer(painter, look.values, target);
    for (int line = 0; line < CharacterSheet::equipmentLineCount; ++line) {
        const QRect band = SheetLayout::equipmentLineRect(line);
        writer.write(band.adjusted(SheetLayout::equipmentTextIndent, 0, -SheetLayout::equipmentTextIndent / 2, 0),
                     Qt::AlignLeft, sheet.equipmentLine(line));
    }
    painter.restore();
}

void paintSheetPage(QPainter &painter, const CharacterSheet &sheet, const SheetLook &look, const PageTarget &target)
{
    painter.fillRect(onDevice(QRect(QPoint(0, 0), SheetLayout::pageSize), target), paper);

    if (look.framesOn) {
        for (const QRect &frame : SheetLayout::frames())
            drawFrame(painter, frame, look.thickWidth, target);
    }
    drawRules(painter, look, target, false);

    const QPoint drop(0, target.paper ? SheetLayout::printedTextDrop : 0);
    TextWriter headline(painter, look.headline, target);
    TextWriter labels(painter, look.labels, target);
    for (int i = 0; i < CharacterSheet::captionCount; ++i) {
        TextWriter &writer = i == CharacterSheet::nameCaption || i == CharacterSheet::classCaption ? headline : labels;
        writer.write(SheetLayout::captionRect(i).translated(drop), SheetLayout::captionAlignment(i), sheet.caption(i));
    }
    TextWriter values(painter, look.values, target);
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        values.write(SheetLayout::valueRect(i).translated(drop), SheetLayout::valueAlignment(i), sheet.value(i));

    if (target.paper) {
        drawRules(painter, look, target, true);
        printEquipmentLines(painter, sheet, look, target);
    } else {
        paintEquipmentPane(painter, sheet, look);
    }
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
