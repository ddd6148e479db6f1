#pragma once

#include <QList>

#include <array>

// The page of the word-processor document: nine text boxes at fixed places on
// an A4 page, each holding one table whose cells take the sheet's captions,
// values and equipment lines. Lengths are centimetres as the sheet's design
// gives them; the writer converts them.
namespace Tarvosk::DocxLayout {

inline constexpr double pageWidth = 21;
inline constexpr double pageHeight = 29.7;
inline constexpr double marginTop = 0.5;
inline constexpr double marginBottom = 1.4;
inline constexpr double marginLeft = 0.5;
inline constexpr double marginRight = 0.5;
inline constexpr double headerDistance = 1.25;
inline constexpr double footerDistance = 1.25;

inline constexpr int boxCount = 9;

struct Cell
{
    enum class Source { Nothing, Caption, Value, EquipmentLine };
    Source source = Source::Nothing;
    int index = -1;
    // Grid columns the cell covers; a merged cell spans several.
    int span = 1;
    bool alignRight = false;
};

struct Box
{
    double left, top, width, height;
    // Grid column widths; none: `columnCount` equal columns over the box.
    QList<double> columnWidths;
    int columnCount = 0;
    // Exact row height, centred text; 0: each row as high as its text, top-aligned.
    double rowHeight = 0;
    // Every cell in the "Headline" font (else captions in "Labels", the rest in "Values").
    bool headline = false;
    QList<QList<Cell>> rows;
};

const std::array<Box, boxCount> &boxes();

} // namespace Tarvosk::DocxLayout
