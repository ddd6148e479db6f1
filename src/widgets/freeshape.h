#pragma once

#include <QList>
#include <QRect>
#include <QRegion>
#include <QString>
#include <QStringView>

class QWidget;

// Windows cut to the outline of their picture. A shape is kept as text: decimal
// numbers each followed by a comma, four to a rectangle (left, top, right,
// bottom in window pixels, the right and bottom edges lying outside), and the
// window's shape is the union of the rectangles.
namespace Tarvosk::FreeShape {

// The rectangles of a shape text. Each part before a comma is read as a leading
// number and kept as a 16-bit integer; text after the last comma is ignored, and
// so are numbers short of a whole group of four.
QList<QRect> shapeRectangles(QStringView text);

// The union of the rectangles.
QRegion shapeRegion(const QList<QRect> &rectangles);

// The shape stored as text resource number resourceNumber (":/text/101" for "101");
// empty when there is no such resource.
QRegion resourceRegion(QStringView resourceNumber);

// Cuts the window to the shape of the resource and gives back the region it now has.
QRegion applyShape(QWidget &window, QStringView resourceNumber);

// Gives the window its whole rectangle back.
void removeShape(QWidget &window);

} // namespace Tarvosk::FreeShape
