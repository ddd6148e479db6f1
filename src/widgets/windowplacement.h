#pragma once

#include "widgets/twips.h"

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QStringView>

class QWidget;

namespace Tarvosk {

class SettingsStore;

// Where top-level windows stand on the screen. Places are those of the whole
// window, its frame included. The window manager draws the frame only after a
// window first shows, so until then the frame is assumed to be the last one
// seen; once the true frame is known the window is placed again by the same
// rule. So a window shown twice stands at the same place both times. Every
// placement keeps the whole window on the area of its screen, made smaller
// where it is too large for it, whatever place was asked for.
namespace WindowPlacement {

constexpr int twipsFromPixels(int pixels)
{
    return pixels * twipsPerPixel;
}

// The primary screen's area for windows (without panels and docks).
QRect availableArea();

// The inner top-left corner that puts a window of this inner size and frame
// in the middle of the area. A window larger than the area keeps its top-left
// frame corner on it, so its title bar can still be reached.
QPoint centredInnerPosition(const QRect &area, QSize innerSize, const QMargins &frame);

// The inner geometry that keeps a window with this frame wholly on the area:
// moved as little as needed, and made smaller where it is larger than the
// area, down to its least size; one larger still keeps its top-left corner on it.
QRect keptOnArea(const QRect &inner, const QMargins &frame, const QRect &area, QSize minimum = {});

// The window's frame: as the window manager drew it, or the assumed one before that.
QMargins frameMargins(QWidget &window);
// The frame assumed for a window that has not been framed yet: the last one seen.
QMargins assumedFrame();
void setAssumedFrame(const QMargins &frame);

// Centres the window, frame included, on the available area of the primary
// screen. Call it after the window has its size; shown or hidden alike.
void centre(QWidget &window);

// Gives the window this size: its frame counted in the directions named, its
// inner area alone in the others. The inner size follows the true frame once
// the window manager has drawn it.
void resizeCountingFrame(QWidget &window, QSize size, Qt::Orientations withFrame);

// Puts the top-left corner of the window's frame at this screen point.
void moveFrameTo(QWidget &window, QPoint frameTopLeft);
// The screen point of the top-left corner of the window's frame.
QPoint frameTopLeft(QWidget &window);

// Places the window where the section's "left" and "top" (twips, the frame's
// corner) say; each one missing is taken from the corner of the available
// area that defaultCorner names (Qt::AlignTop | Qt::AlignRight: flush with the
// top right), frame included.
void placeRemembered(QWidget &window, const SettingsStore &settings, QStringView section,
                     Qt::Alignment defaultCorner);
// Writes the window's place into the section's "left" and "top" (twips).
void rememberPlace(QWidget &window, SettingsStore &settings, QStringView section);

} // namespace WindowPlacement

} // namespace Tarvosk
