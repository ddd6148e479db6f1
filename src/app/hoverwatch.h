#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace Tarvosk {

class IconBar;

// The hover frame of the icon buttons: the bar of the icon under the mouse
// shows its frame, and the watch (tmrMouseOff) takes it away once the cursor
// has left the icon's square. One watch serves every bar of a window.
class HoverWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int intervalMs = 100;

    explicit HoverWatch(QObject *parent = nullptr);

    // Tests move a pretend cursor.
    void setCursorSource(std::function<QPoint()> cursor);

    // The mouse is over an icon of the bar whose top-left corner is at anchor (screen pixels).
    void iconHovered(IconBar *bar, int iconLeft, QPoint anchor);
    // Hides the frame of the bar, if it shows one.
    void clear(IconBar *bar);

    IconBar *markedBar() const;
    bool isWatching() const;

    // One tick of the watch; the timer calls it every 100 ms.
    void tick();

private:
    QTimer m_timer;
    std::function<QPoint()> m_cursor;
    QPointer<IconBar> m_marked;
    QPoint m_anchor;
};

} // namespace Tarvosk
