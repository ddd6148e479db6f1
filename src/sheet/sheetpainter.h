#pragma once

#include <QFont>

class QPaintDevice;
class QPainter;

namespace Tarvosk {

class CharacterSheet;

// How the page is drawn: the three font groups and the ruling lines.
struct SheetLook
{
    QFont headline; // captions 0 and 1: the name and the class
    QFont labels;   // the other captions
    QFont values;   // values and equipment lines
    bool framesOn = true; // the frames ("Line1On")
    bool rulesOn = true;  // the ruling lines ("Line0On")
    // Line widths in pixels of the device drawn on (window pixels, printer
    // dots); 0 draws the device's thinnest line.
    int thinWidth = 1;  // "Line0": the light ruling lines
    int thickWidth = 2; // "Line1": the frames and the heavy ruling lines

    // The look of a sheet before any setting is applied: "Times New Roman"
    // throughout, 18 points for the headline, 8 for labels and values.
    static SheetLook standard();
};

// What the page is drawn onto. Positions and lines scale by sx and sy (device
// pixels per page pixel); a text keeps its font's size, unstretched, a point
// being `pixelsPerPoint` device pixels.
struct PageTarget
{
    qreal sx = 1;
    qreal sy = 1;
    qreal pixelsPerPoint = 96.0 / 72.0;
    // Paper prints every text whole, each where the printed page puts it;
    // the window shows the labels, which clip their texts.
    bool paper = false;

    // The window's page: one device pixel a page pixel, 96 to the inch.
    static PageTarget window();
    // The whole paint area of a printer or PDF, at its resolution.
    static PageTarget paperOf(const QPaintDevice &device);
};

// Draws the whole page of the sheet (captions, values, equipment lines, frames
// and ruling lines) from the page layout table, so that window, printer and
// PDF show the same page.
void paintSheetPage(QPainter &painter, const CharacterSheet &sheet, const SheetLook &look,
                    const PageTarget &target = PageTarget::window());

// The equipment pane alone, in page coordinates (its paper, the lines of its
// bands and the equipment lines), as the window shows it: paintSheetPage draws
// it too; a widget that shows only the pane translates the painter by
// -equipmentPane().topLeft().
void paintEquipmentPane(QPainter &painter, const CharacterSheet &sheet, const SheetLook &look);

// A font's size in window page pixels: a point is 4/3 page pixels, a pixel
// size counts page pixels, and a font without a size is taken as 8 points.
qreal pagePixelSize(const QFont &font);

} // namespace Tarvosk
