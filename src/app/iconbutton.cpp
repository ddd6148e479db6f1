#include "app/iconbutton.h"

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
    setFrameStyle(QFrame::Box | QFrame::Plain);
    Q_EMIT pressed(this);
    event->accept();
}

void IconButton::mouseReleaseEvent(QMouseEvent *event)
{
    setFrameStyle(QFrame::NoFrame);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        Q_EMIT clicked();
        return;
    }
    // A right click falls through to the bar, which offers its pattern menu.
    event->ignore();
}

} // namespace Tarvosk
