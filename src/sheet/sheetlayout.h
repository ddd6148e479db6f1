#pragma once

#include <QLine>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <Qt>

#include <array>

// Where everything stands on the sheet's page: the caption and value cells,
// the equipment pane with its line bands, the frames and the ruling lines.
// Coordinates are page pixels (585 x 841, 15 twips each); the window, the
// printer and the PDF scale them. Read by the painter and the sheet window.
namespace Tarvosk::SheetLayout {

inline constexpr QSize pageSize{585, 841};
inline constexpr int frameCount = 8;
inline constexpr int ruleCount = 122;

// The equipment pane's lines: line n is the band 16n + 1 .. 16n + 15 of the
// pane (its ruling line lies on 16n + 16); the text starts 8 pixels in.
inline constexpr int equipmentLineHeight = 16;
inline constexpr int equipmentTextIndent = 8;

// A ruling line: pixel row y (horizontal) or column x (vertical) from one end
// point to the other, both included; it grows right or down with its width.
// Width 2 marks the heavy lines, drawn with the "Line1" thickness; width 1
// lines take "Line0".
struct Rule
{
    QLine line;
    int width = 1;
};

// What a page point hits: a caption, a value, an equipment line or nothing.
struct Hit
{
    enum class Kind { Nothing, Caption, Value, EquipmentLine };
    Kind kind = Kind::Nothing;
    int index = -1;

    friend bool operator==(const Hit &, const Hit &) = default;
};

// The cell of caption 0..95 or value 0..196: the window draws its text from
// the cell's top left (the class: top right) and clips it there; paper prints
// it whole. An index out of range gives an empty rectangle.
QRect captionRect(int index);
QRect valueRect(int index);
// Horizontal alignment of the cell's text: left, but for the class.
Qt::Alignment captionAlignment(int index);
Qt::Alignment valueAlignment(int index);

QRect equipmentPane();
// The band of equipment line 0..28 on the page (line 28 reaches two pixels
// below the pane, whose edge clips it); empty for any other line.
QRect equipmentLineRect(int line);
// The line a pane Y addresses (Y / 16, truncated; below 0 gives 0).
int equipmentLineAt(int paneY);

// The frame drawn around the equipment pane, one of frames().
inline constexpr int equipmentFrame = 5;

// Paper prints a caption's or value's text 4 pixels below its cell's top
// (in the window a label shows it at the top).
inline constexpr int printedTextDrop = 4;
// Where paper prints the text of equipment line 0..28: 8 pixels into the
// equipment frame, 20 + 16 * line below its top.
QPoint printedEquipmentText(int line);

// The eight frames around the blocks, as outer rectangles: a frame's line
// lies inside its rectangle, growing inwards with its width.
const std::array<QRect, frameCount> &frames();
const std::array<Rule, ruleCount> &rules();

// The caption, value or equipment line under a page point; any point of the
// equipment pane hits the line below it.
Hit labelAt(QPoint point);

} // namespace Tarvosk::SheetLayout
