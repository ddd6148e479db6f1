#include "widgets/iconbutton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace Tarvosk {

QPixmap resourcePixmap(const QString &resource, QSize size)
{
    if (resource.endsWith(u".svg")) {
        QSvgRenderer renderer(resource);
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        if (renderer.isValid()) {
            QPainter painter(&pixmap);
            renderer.render(&painter);
        }
        return pixmap;
    }
    return QPixmap(resource).scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

IconButton::IconButton(const QString &objectName, const QString &iconResource, const QString &toolTip,
                       QWidget *parent)
    : QLabel(parent)
{
    setObjectName(objectName);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(side, side);
    setAlignment(Qt::AlignCenter);
    setPixmap(resourcePixmap(iconResource, QSize(side - 2, side - 2)));
    setMouseTracking(true);
    setLineWidth(1);
}

bool IconButton::isPressedLook() const
{
    return frameShape() == QFrame::Box;
}

void IconButton::setPressedLook(bool pressed)
{
    setFrameStyle(pressed ? QFrame::Box | QFrame::Plain : QFrame::NoFrame);
}

void IconButton::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() == Qt::NoButton) {
        const QPoint topLeft = event->globalPosition().toPoint() - event->position().toPoint();
        Q_EMIT hovered(this, topLeft);
    }
    // Taken here: passed on, the bar would read it as the pointer leaving its icons.
    event->accept();
}

void IconButton::mousePressEvent(QMouseEvent *event)
{
    setPressedLook(true);
    Q_EMIT pressed(this);
    event->accept();
}

void IconButton::mouseReleaseEvent(QMouseEvent *event)
{
    setPressedLook(false);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        Q_EMIT clicked();
        return;
    }
    // A right click falls through to the bar, which offers its pattern menu.
    event->ignore();
}

// Space acts on release, as on a push button; Enter at once.
void IconButton::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) {
            setPressedLook(true);
            Q_EMIT pressed(this);
        }
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        Q_EMIT clicked();
        return;
    default:
        QLabel::keyPressEvent(event);
    }
}

void IconButton::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        event->accept();
        if (isPressedLook()) {
            setPressedLook(false);
            Q_EMIT clicked();
        }
        return;
    }
    QLabel::keyReleaseEvent(event);
}

void IconButton::focusOutEvent(QFocusEvent *event)
{
    // Space held while the focus moves on presses nothing.
    setPressedLook(false);
    QLabel::focusOutEvent(event);
}

void IconButton::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    // A clear line in the selection colour, inside the pressed look's border
    // so that both show; the style's own focus rectangle is too faint on an icon.
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

} // namespace Tarvosk
