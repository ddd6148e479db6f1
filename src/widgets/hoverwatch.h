#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include <functional>

class QTimer;

namespace Tarvosk {

// The hover watch (tmrMouseOff) of pictures that light up under the pointer:
// every 100 ms it reads the cursor, and once the cursor has left the watched
// screen rectangle it puts the light out and stops. One watch serves all the
// icons of a window, so only one of them shows lit at a time.
class HoverWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int intervalMs = 100;

    explicit HoverWatch(QObject *parent = nullptr);
    ~HoverWatch() override;

    // Tests move a pretend cursor.
    void setCursorSource(std::function<QPoint()> cursor);

    // Watches the area (screen pixels, its far edges included); onLeave runs
    // once the cursor is found outside. A watch of another area begun while
    // one runs ends that one first, as if the cursor had left it.
    void watch(const QRect &area, std::function<void()> onLeave);
    // Ends the watch now, as if the cursor had left.
    void end();
    bool isWatching() const;

    // One tick of the watch; the timer calls it every 100 ms.
    void tick();

private:
    QTimer *m_timer;
    std::function<QPoint()> m_cursor;
    QRect m_area;
    std::function<void()> m_onLeave;
};

} // namespace Tarvosk
