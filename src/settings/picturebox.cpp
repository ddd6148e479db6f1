#include "settings/picturebox.h"

#include <QMouseEvent>
#include <QPainter>

namespace Tarvosk {

PictureBox::PictureBox(const QString &objectName, QSize size, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setFixedSize(size);
}

void PictureBox::setPicture(const QImage &picture)
{
    m_picture = picture;
    update();
}

QImage PictureBox::picture() const
{
    return m_picture;
}

void PictureBox::setFramed(bool framed)
{
    if (framed == m_framed)
        return;
    m_framed = framed;
    update();
}

bool PictureBox::isFramed() const
{
    return m_framed;
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QSize shown = m_picture.deviceIndependentSize().toSize();
    painter.drawImage(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), m_picture);
    if (m_framed) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void PictureBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}

} // namespace Tarvosk
