#include "widgets/windowplacement.h"

#include "storage/settingsstore.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

namespace Tarvosk::WindowPlacement {

namespace {

// The last frame a window manager drew around one of our windows.
QMargins s_assumedFrame;

// Larger than any title bar: a reading beyond it comes from a window caught halfway.
constexpr int largestFrameSide = 200;

bool hasFrame(const QWidget &window)
{
    return !window.windowFlags().testFlag(Qt::FramelessWindowHint);
}

// While the window manager is still taking a window in, it reports frames of
// nothing or of negative size.
bool isDrawnFrame(const QMargins &frame)
{
    for (const int side : {frame.left(), frame.top(), frame.right(), frame.bottom()}) {
        if (side < 0 || side > largestFrameSide)
            return false;
    }
    return !frame.isNull();
}

// Lives on a placed window: learns its frame once the window manager has drawn
// it, and places the window again by the same rule if the frame assumed for the
// placement was not that one.
class FrameWatch : public QObject
{
public:
    static FrameWatch &of(QWidget &window)
    {
        if (FrameWatch *watch = find(window))
            return *watch;
        return *new FrameWatch(window);
    }

    static FrameWatch *find(const QWidget &window)
    {
        return dynamic_cast<FrameWatch *>(window.findChild<QObject *>(name(), Qt::FindDirectChildrenOnly));
    }

    bool knowsFrame() const { return m_known; }
    QMargins frame() const { return m_frame; }

    // Reads the frame the window manager reports, if it has drawn one yet.
    void learn()
    {
        const QWindow *handle = m_window.windowHandle();
        if (!handle)
            return;
        const QMargins frame = handle->frameMargins();
        if (!isDrawnFrame(frame))
            return;
        m_frame = frame;
        m_known = true;
        s_assumedFrame = frame;
        // The size first: a centred place depends on it.
        if (auto again = std::exchange(m_sizeAgain, {}); again && frame != m_sizeAssumed)
            again();
        if (auto again = std::exchange(m_placeAgain, {}); again && frame != m_assumed)
            again();
    }

    // The window was sized assuming this frame; sizeAgain waits for the true one, as placeAgain does.
    void sizedWith(const QMargins &assumed, std::function<void()> sizeAgain)
    {
        m_sizeAssumed = assumed;
        m_sizeAgain = m_known ? std::function<void()>() : std::move(sizeAgain);
    }

    // The window was placed assuming this frame; until the true one is known, placeAgain waits for it.
    void placedWith(const QMargins &assumed, std::function<void()> placeAgain)
    {
        m_assumed = assumed;
        m_placeAgain = m_known ? std::function<void()>() : std::move(placeAgain);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::WindowActivate:
            // The frame shows up with the first of these after the window is mapped.
            if (!m_known)
                learn();
            break;
        default:
            break;
        }
        return false;
    }

private:
    static QString name() { return QStringLiteral("frameWatch"); }

    explicit FrameWatch(QWidget &window)
        : QObject(&window)
        , m_window(window)
    {
        setObjectName(name());
        window.installEventFilter(this);
    }

    QWidget &m_window;
    QMargins m_frame;
    QMargins m_assumed;
    QMargins m_sizeAssumed;
    bool m_known = false;
    std::function<void()> m_placeAgain;
    std::function<void()> m_sizeAgain;
};

using InnerPositionRule = std::function<QPoint(const QMargins &frame)>;

// The area for windows of the screen under the window's middle; the primary
// screen's when it is on none.
QRect areaUnder(const QRect &outer)
{
    const QScreen *screen = QGuiApplication::screenAt(outer.center());
    return screen ? screen->availableGeometry() : availableArea();
}

// Places the window's inner area where the rule says for its frame, now and,
// should the frame turn out other than assumed, once more when it is known.
void placeBy(QWidget &window, const InnerPositionRule &rule)
{
    const QMargins frame = frameMargins(window);
    // Armed first: the frame may come to light while the window moves.
    if (hasFrame(window))
        FrameWatch::of(window).placedWith(frame, [&window, rule] { placeBy(window, rule); });
    const QRect wanted(rule(frame), window.size());
    window.setGeometry(keptOnArea(wanted, frame, areaUnder(wanted.marginsAdded(frame)), window.minimumSize()));
}

// A stored place may be any number of twips, not only whole pixels; an absurd one stays within int.
int pixelsFromStoredTwips(double twips)
{
    return int(std::lround(std::clamp(twips / twipsPerPixel, -1.0e6, 1.0e6)));
}

// The start of a span of this length put at the start, middle or end of the area's span.
int alignedStart(int areaStart, int areaLength, int length, Qt::Alignment alignment, Qt::Alignment middle,
                 Qt::Alignment end)
{
    if (alignment & end)
        return areaStart + areaLength - length;
    if (alignment & middle)
        return areaStart + (areaLength - length) / 2;
    return areaStart;
}

} // namespace

QRect availableArea()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

QPoint centredInnerPosition(const QRect &area, QSize innerSize, const QMargins &frame)
{
    const QSize outer = innerSize.grownBy(frame);
    const int left = area.left() + std::max(0, (area.width() - outer.width()) / 2);
    const int top = area.top() + std::max(0, (area.height() - outer.height()) / 2);
    return QPoint(left + frame.left(), top + frame.top());
}

QRect keptOnArea(const QRect &inner, const QMargins &frame, const QRect &area, QSize minimum)
{
    const QSize size = inner.size().boundedTo(area.size().shrunkBy(frame)).expandedTo(minimum);
    const QSize outer = size.grownBy(frame);
    const int left = std::clamp(inner.left() - frame.left(), area.left(),
                                std::max(area.left(), area.right() + 1 - outer.width()));
    const int top = std::clamp(inner.top() - frame.top(), area.top(),
                               std::max(area.top(), area.bottom() + 1 - outer.height()));
    return QRect(QPoint(left + frame.left(), top + frame.top()), size);
}

QMargins frameMargins(QWidget &window)
{
    if (!hasFrame(window))
        return {};
    FrameWatch &watch = FrameWatch::of(window);
    // A shown window reads its frame afresh; a hidden one may have lost it to the window manager.
    if (!watch.knowsFrame() || window.isVisible())
        watch.learn();
    return watch.knowsFrame() ? watch.frame() : s_assumedFrame;
}

QMargins assumedFrame()
{
    return s_assumedFrame;
}

void setAssumedFrame(const QMargins &frame)
{
    s_assumedFrame = frame;
}

void centre(QWidget &window)
{
    placeBy(window, [&window](const QMargins &frame) {
        return centredInnerPosition(availableArea(), window.size(), frame);
    });
}

void resizeCountingFrame(QWidget &window, QSize size, Qt::Orientations withFrame)
{
    const QMargins frame = frameMargins(window);
    if (hasFrame(window))
        FrameWatch::of(window).sizedWith(frame, [&window, size, withFrame] { resizeCountingFrame(window, size, withFrame); });
    const int width = size.width() - (withFrame & Qt::Horizontal ? frame.left() + frame.right() : 0);
    const int height = size.height() - (withFrame & Qt::Vertical ? frame.top() + frame.bottom() : 0);
    window.resize(std::max(width, 1), std::max(height, 1));
}

void moveFrameTo(QWidget &window, QPoint frameTopLeft)
{
    placeBy(window, [frameTopLeft](const QMargins &frame) {
        return frameTopLeft + QPoint(frame.left(), frame.top());
    });
}

QPoint frameTopLeft(QWidget &window)
{
    const QMargins frame = frameMargins(window);
    return window.geometry().topLeft() - QPoint(frame.left(), frame.top());
}

void placeRemembered(QWidget &window, const SettingsStore &settings, QStringView section,
                     Qt::Alignment defaultCorner)
{
    constexpr double none = std::numeric_limits<double>::quiet_NaN();
    const double left = settings.readSize(section, u"left", none);
    const double top = settings.readSize(section, u"top", none);
    placeBy(window, [&window, left, top, defaultCorner](const QMargins &frame) {
        const QRect area = availableArea();
        const QSize outer = window.size().grownBy(frame);
        const int x = std::isnan(left) ? alignedStart(area.left(), area.width(), outer.width(), defaultCorner,
                                                      Qt::AlignHCenter, Qt::AlignRight)
                                       : pixelsFromStoredTwips(left);
        const int y = std::isnan(top) ? alignedStart(area.top(), area.height(), outer.height(), defaultCorner,
                                                     Qt::AlignVCenter, Qt::AlignBottom)
                                      : pixelsFromStoredTwips(top);
        return QPoint(x + frame.left(), y + frame.top());
    });
}

void rememberPlace(QWidget &window, SettingsStore &settings, QStringView section)
{
    const QPoint place = frameTopLeft(window);
    settings.write(section, u"left", QString::number(twipsFromPixels(place.x())));
    settings.write(section, u"top", QString::number(twipsFromPixels(place.y())));
}

} // namespace Tarvosk::WindowPlacement
