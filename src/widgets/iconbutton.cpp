#include "widgets/iconbutton.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace Tarvosk {

QPixmap resourcePixmap(const QString &resource, QSize size, qreal devicePixelRatio)
{
    const QSize pixels = (QSizeF(size) * devicePixelRatio).toSize();
    QPixmap pixmap;
    if (resource.endsWith(u".svg")) {
        QSvgRenderer renderer(resource);
        pixmap = QPixmap(pixels);
        pixmap.fill(Qt::transparent);
        if (renderer.isValid()) {
            QPainter painter(&pixmap);
            renderer.render(&painter);
        }
    } else {
        pixmap = QPixmap(resource).scaled(pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

IconButton::IconButton(const QString &objectName, const QString &iconResource, const QString &toolTip,
                       QWidget *parent)
    : QAbstractButton(parent)
    , m_resource(iconResource)
{
    setObjectName(objectName);
    setToolTip(toolTip);
    setAccessibleName(toolTip);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(side, side);
    setMouseTracking(true);
}

bool IconButton::isPressedLook() const
{
    return isDown();
}

void IconButton::setPictureSize(QSize size)
{
    m_pictureSize = size;
    m_picture = QPixmap();
    update();
}

void IconButton::setTinted(bool tinted)
{
    m_tinted = tinted;
    m_picture = QPixmap();
    update();
}

QPixmap IconButton::picture() const
{
    const qreal ratio = devicePixelRatioF();
    if (m_picture.isNull() || m_picture.devicePixelRatio() != ratio) {
        m_picture = resourcePixmap(m_resource, m_pictureSize, ratio);
        if (m_tinted) {
            QPainter painter(&m_picture);
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            painter.fillRect(QRect(QPoint(0, 0), m_pictureSize), palette().color(QPalette::ButtonText));
        }
    }
    return m_picture;
}

void IconButton::mouseMoveEvent(QMouseEvent *event)
{
    QAbstractButton::mouseMoveEvent(event);
    if (event->buttons() == Qt::NoButton) {
        const QPoint topLeft = event->globalPosition().toPoint() - event->position().toPoint();
        Q_EMIT hovered(this, topLeft);
    }
    // Taken here: passed on, the bar would read it as the pointer leaving its icons.
    event->accept();
}

// Space clicks on release, as on any button; Enter at once.
void IconButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void IconButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect place(QPoint((width() - m_pictureSize.width()) / 2, (height() - m_pictureSize.height()) / 2),
                      m_pictureSize);
    painter.drawPixmap(place, picture());
    if (isDown()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        // A clear line in the selection colour, inside the pressed look's border
        // so that both show; the style's own focus rectangle is too faint on an icon.
        painter.setPen(palette().color(QPalette::Highlight));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
}

void IconButton::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::PaletteChange)
        m_picture = QPixmap();
    QAbstractButton::changeEvent(event);
}

} // namespace Tarvosk
