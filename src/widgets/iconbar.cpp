#include "widgets/iconbar.h"

#include "widgets/hoverwatch.h"
#include "widgets/iconbutton.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace Tarvosk {

namespace {

constexpr int iconGap = 4;
constexpr int iconTop = 1;
constexpr int frameMargin = 2;
// Between an icon and its arrow, so that their frames stand side by side.
constexpr int dropDownGap = 3;

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
        connectIcon(button, index);
        connect(button, &IconButton::clicked, this, [this, index] { Q_EMIT iconClicked(index); });
    }
    m_dropDowns.resize(m_icons.size(), nullptr);
    if (abortIcon) {
        m_abort = new IconButton(abortIcon->objectName, abortIcon->resource, abortIcon->toolTip, this);
        connectIcon(m_abort, -1);
        connect(m_abort, &IconButton::clicked, this, &IconBar::abortClicked);
    }

    if (style == Style::Toolbar)
        setFixedHeight(toolbarHeight);
    placeIcons();
}

void IconBar::connectIcon(IconButton *button, int owner)
{
    connect(button, &IconButton::hovered, this, [this, owner](IconButton *hovered, QPoint topLeft) {
        IconButton *icon = owner >= 0 ? m_icons[owner] : hovered;
        // Icon and arrow are watched as one: moving from one to the other keeps the frame.
        const QRect area = owner >= 0 ? iconArea(owner) : icon->geometry();
        m_hoverWatch.watch(area.translated(topLeft - hovered->pos()), [bar = QPointer<IconBar>(this)] {
            // An open menu keeps its icon framed until it closes.
            if (bar && bar->m_openDropDown < 0)
                bar->setMark(-1);
        });
        setMark(icon->x());
    });
    connect(button, &IconButton::pressed, this, &IconBar::hideMark);
}

IconButton *IconBar::addDropDown(int index, const IconEntry &arrow)
{
    if (index < 0 || index >= int(m_icons.size()) || m_dropDowns[index])
        return nullptr;
    auto *button = new IconButton(arrow.objectName, arrow.resource, arrow.toolTip, this);
    const QSize size(dropDownWidth, IconButton::side);
    button->setFixedSize(size);
    button->setPictureSize(size);
    button->setTinted(true);
    m_dropDowns[index] = button;
    connectIcon(button, index);
    connect(button, &IconButton::clicked, this, [this, index] { Q_EMIT dropDownClicked(index); });
    // Tab reaches the arrow right after its icon.
    setTabOrder(m_icons[index], button);
    placeIcons();
    return button;
}

IconButton *IconBar::dropDown(int index) const
{
    return index >= 0 && index < int(m_dropDowns.size()) ? m_dropDowns[index] : nullptr;
}

void IconBar::setOpenDropDown(int index)
{
    if (!dropDown(index))
        index = -1;
    if (index == m_openDropDown)
        return;
    m_openDropDown = index;
    if (index >= 0) {
        // The watch ends without taking the frame: the menu holds it now.
        m_hoverWatch.end();
        setMark(m_icons[index]->x());
    } else {
        setMark(-1);
    }
    update();
}

int IconBar::openDropDown() const
{
    return m_openDropDown;
}

QRect IconBar::iconArea(int index) const
{
    const IconButton *icon = this->icon(index);
    if (!icon)
        return {};
    const IconButton *arrow = dropDown(index);
    return arrow ? icon->geometry().united(arrow->geometry()) : icon->geometry();
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

std::vector<QWidget *> IconBar::buttonsInOrder() const
{
    std::vector<QWidget *> buttons;
    for (std::size_t i = 0; i < m_icons.size(); ++i) {
        buttons.push_back(m_icons[i]);
        if (m_dropDowns[i])
            buttons.push_back(m_dropDowns[i]);
    }
    if (m_abort)
        buttons.push_back(m_abort);
    return buttons;
}

void IconBar::placeIcons()
{
    int x = iconGap;
    for (std::size_t i = 0; i < m_icons.size(); ++i) {
        m_icons[i]->move(x, iconTop);
        x += IconButton::side;
        if (IconButton *arrow = m_dropDowns[i]) {
            x += dropDownGap;
            arrow->move(x, iconTop);
            x += arrow->width() + 1;
        }
        x += iconGap;
    }
    if (m_style == Style::Plain && size() != QSize(x, IconButton::side + 2 * iconTop))
        setFixedSize(x, IconButton::side + 2 * iconTop);
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
    if (m_markedLeft < 0)
        return;
    // A raised frame: light above and left, shadow below and right; a sunken one the other way round.
    const auto drawFrame = [&painter, this](const QRect &frame, bool sunken) {
        const QColor light = palette().color(QPalette::Light);
        const QColor dark = palette().color(QPalette::Dark);
        painter.setPen(sunken ? dark : light);
        painter.drawLine(frame.topLeft(), frame.topRight());
        painter.drawLine(frame.topLeft(), frame.bottomLeft());
        painter.setPen(sunken ? light : dark);
        painter.drawLine(frame.bottomLeft(), frame.bottomRight());
        painter.drawLine(frame.topRight(), frame.bottomRight());
    };
    drawFrame(QRect(m_markedLeft - frameMargin, iconTop - 1, IconButton::side + 2 * frameMargin - 1,
                    IconButton::side + 1),
              false);
    for (std::size_t i = 0; i < m_icons.size(); ++i) {
        const IconButton *arrow = m_dropDowns[i];
        if (arrow && m_icons[i]->x() == m_markedLeft) {
            drawFrame(QRect(arrow->x() - 1, iconTop - 1, arrow->width() + 2, IconButton::side + 1),
                      int(i) == m_openDropDown);
        }
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
