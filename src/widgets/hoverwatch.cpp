#include "widgets/hoverwatch.h"

#include <QCursor>
#include <QTimer>

#include <utility>

namespace Tarvosk {

HoverWatch::HoverWatch(QObject *parent)
    : QObject(parent)
    , m_timer(new QTimer(this))
    , m_cursor([] { return QCursor::pos(); })
{
    m_timer->setObjectName(QStringLiteral("tmrMouseOff"));
    m_timer->setInterval(intervalMs);
    connect(m_timer, &QTimer::timeout, this, &HoverWatch::tick);
}

HoverWatch::~HoverWatch() = default;

void HoverWatch::setCursorSource(std::function<QPoint()> cursor)
{
    m_cursor = std::move(cursor);
}

void HoverWatch::watch(const QRect &area, std::function<void()> onLeave)
{
    // The far edges count as inside.
    const QRect watched(area.topLeft(), area.size() + QSize(1, 1));
    // Still over the same area: the pointer has not left it.
    if (!isWatching() || watched != m_area)
        end();
    m_area = watched;
    m_onLeave = std::move(onLeave);
    m_timer->start();
}

void HoverWatch::end()
{
    m_timer->stop();
    // Taken out first: the call may begin a new watch.
    if (auto onLeave = std::exchange(m_onLeave, {}))
        onLeave();
}

bool HoverWatch::isWatching() const
{
    return m_timer->isActive();
}

void HoverWatch::tick()
{
    if (isWatching() && !m_area.contains(m_cursor()))
        end();
}

} // namespace Tarvosk
