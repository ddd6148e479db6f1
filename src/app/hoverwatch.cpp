#include "app/hoverwatch.h"

#include "app/iconbar.h"
#include "app/iconbutton.h"

#include <QCursor>
#include <QRect>

namespace Tarvosk {

HoverWatch::HoverWatch(QObject *parent)
    : QObject(parent)
    , m_cursor([] { return QCursor::pos(); })
{
    m_timer.setObjectName(QStringLiteral("tmrMouseOff"));
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &HoverWatch::tick);
}

void HoverWatch::setCursorSource(std::function<QPoint()> cursor)
{
    m_cursor = std::move(cursor);
}

void HoverWatch::iconHovered(IconBar *bar, int iconLeft, QPoint anchor)
{
    if (m_marked && m_marked != bar)
        m_marked->setMark(-1);
    m_anchor = anchor;
    m_marked = bar;
    bar->setMark(iconLeft);
    m_timer.start();
}

void HoverWatch::clear(IconBar *bar)
{
    bar->setMark(-1);
    if (m_marked == bar) {
        m_marked = nullptr;
        m_timer.stop();
    }
}

IconBar *HoverWatch::markedBar() const
{
    return m_marked;
}

bool HoverWatch::isWatching() const
{
    return m_timer.isActive();
}

void HoverWatch::tick()
{
    // The icon's square, its far edges included.
    const QPoint cursor = m_cursor();
    const QRect square(m_anchor, QSize(IconButton::side + 1, IconButton::side + 1));
    if (square.contains(cursor))
        return;
    if (m_marked)
        m_marked->setMark(-1);
    m_marked = nullptr;
    m_timer.stop();
}

} // namespace Tarvosk
