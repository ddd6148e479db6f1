#pragma once

#include <QFont>

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
    // Line widths in page pixels; 0 draws the device's thinnest line.
    int thinWidth = 1;  // "Line0": the light ruling lines
    int thickWidth = 2; // "Line1": the frames and the heavy ruling lines

    // The look of a sheet before any setting is applied: "Times New Roman"
    // throughout, 18 points for the headline, 8 for labels and values.
    // Font sizes are points of the page (96 page pixels to the inch); a font
    // given in pixels counts page pixels.
    static SheetLook standard();
};

// Draws the whole page of the sheet (captions, values, equipment lines, frames
// and ruling lines) from the page layout table. The painter's coordinates are
// page pixels (585 x 841); the caller's transform scales to screen or paper,
// so window, printer and PDF draw the same page.
void paintSheetPage(QPainter &painter, const CharacterSheet &sheet, const SheetLook &look);

// A font's size in page pixels, as the painter reads it: a point is 4/3 page
// pixels whatever the device, a pixel size counts page pixels, and a font
// without a size is taken as 8 points.
qreal pagePixelSize(const QFont &font);

// The equipment pane alone, in page coordinates (its paper, the lines of its
// bands and the equipment lines): paintSheetPage draws it too; a widget that
// shows only the pane translates the painter by -equipmentPane().topLeft().
void paintEquipmentPane(QPainter &painter, const CharacterSheet &sheet, const SheetLook &look);

} // namespace Tarvosk
