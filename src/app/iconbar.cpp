#include "app/iconbar.h"

#include "app/hoverwatch.h"
#include "app/iconbutton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace Tarvosk {

namespace {

constexpr int iconGap = 4;
constexpr int iconTop = 1;
constexpr int frameMargin = 2;

} // namespace

IconBar::IconBar(const QString &objectName, const std::vector<IconEntry> &icons, const IconEntry *abortIcon,
                 Style style, HoverWatch &hoverWatch, QWidget *parent)
    : QWidget(parent)
    , m_style(style)
    , m_hoverWatch(hoverWatch)
{
    setObjectName(objectName);
    setMouseTracking(true);
    for (const IconEntry &entry : icons) {
        auto *button = new IconButton(entry.objectName, entry.resource, entry.toolTip, this);
        const int index = int(m_icons.size());
        m_icons.push_back(button);
        connectIcon(button);
        connect(button, &IconButton::clicked, this, [this, index] { Q_EMIT iconClicked(index); });
    }
    if (abortIcon) {
        m_abort = new IconButton(abortIcon->objectName, abortIcon->resource, abortIcon->toolTip, this);
        connectIcon(m_abort);
        connect(m_abort, &IconButton::clicked, this, &IconBar::abortClicked);
    }

    const int count = int(m_icons.size());
    if (style == Style::Toolbar)
        setFixedHeight(toolbarHeight);
    else
        setFixedSize(count * (IconButton::side + iconGap) + iconGap, IconButton::side + 2 * iconTop);
    placeIcons();
}

void IconBar::connectIcon(IconButton *button)
{
    connect(button, &IconButton::hovered, this, [this](IconButton *icon, QPoint topLeft) {
        m_hoverWatch.watch(QRect(topLeft, icon->size()), [bar = QPointer<IconBar>(this)] {
            if (bar)
                bar->setMark(-1);
        });
        setMark(icon->x());
    });
    connect(button, &IconButton::pressed, this, &IconBar::hideMark);
}

void IconBar::hideMark()
{
    m_hoverWatch.end();
    setMark(-1);
}

IconButton *IconBar::icon(int index) const
{
    return index >= 0 && index < int(m_icons.size()) ? m_icons[index] : nullptr;
}

IconButton *IconBar::abortIcon() const
{
    return m_abort;
}

void IconBar::placeIcons()
{
    int x = iconGap;
    for (IconButton *button : m_icons) {
        button->move(x, iconTop);
        x += IconButton::side + iconGap;
    }
    if (m_abort)
        m_abort->move(width() - iconGap - IconButton::side, iconTop);
}

void IconBar::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    placeIcons();
}

void IconBar::setMark(int iconLeft)
{
    if (m_markedLeft == iconLeft)
        return;
    m_markedLeft = iconLeft;
    update();
}

int IconBar::markedLeft() const
{
    return m_markedLeft;
}

void IconBar::setPattern(const QImage &strip)
{
    m_pattern = strip;
    update();
}

bool IconBar::hasPattern() const
{
    return !m_pattern.isNull();
}

void IconBar::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_style == Style::Toolbar) {
        if (!m_pattern.isNull())
            painter.drawImage(0, 0, m_pattern);
        // The divider along the lower edge.
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(0, height() - 2, width(), height() - 2);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(0, height() - 1, width(), height() - 1);
    }
    if (m_markedLeft >= 0) {
        // A raised frame around the icon: light above and left, shadow below and right.
        const QRect frame(m_markedLeft - frameMargin, iconTop - 1, IconButton::side + 2 * frameMargin - 1,
                          IconButton::side + 1);
        painter.setPen(palette().color(QPalette::Light));
        painter.drawLine(frame.topLeft(), frame.topRight());
        painter.drawLine(frame.topLeft(), frame.bottomLeft());
        painter.setPen(palette().color(QPalette::Dark));
        painter.drawLine(frame.bottomLeft(), frame.bottomRight());
        painter.drawLine(frame.topRight(), frame.bottomRight());
    }
}

void IconBar::mouseMoveEvent(QMouseEvent *event)
{
    // Over the bar but off its icons.
    hideMark();
    QWidget::mouseMoveEvent(event);
}

void IconBar::mousePressEvent(QMouseEvent *event)
{
    // Accepted, so that the release comes back here.
    event->accept();
}

void IconBar::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::RightButton && m_style == Style::Toolbar) {
        Q_EMIT patternMenuRequested(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace Tarvosk
