#include "settings/thicknesspreview.h"

#include <QMouseEvent>
#include <QPainter>

namespace Tarvosk {

ThicknessPreview::ThicknessPreview(const QString &objectName, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setFixedSize(sizeHint());
    setCursor(Qt::PointingHandCursor);
}

void ThicknessPreview::setMarkedRow(int row)
{
    if (row == m_markedRow)
        return;
    m_markedRow = row;
    update();
}

int ThicknessPreview::markedRow() const
{
    return m_markedRow;
}

QSize ThicknessPreview::sizeHint() const
{
    return {112, rows * bandHeight};
}

void ThicknessPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    if (m_markedRow >= 0)
        painter.fillRect(0, m_markedRow * bandHeight, width(), bandHeight, palette().color(QPalette::Base));
    // The weight of row r is r + 1 pixels, as the print's line width grows with the row.
    for (int row = 0; row < rows; ++row) {
        const int pen = row + 1;
        const int top = row * bandHeight + (bandHeight - pen) / 2;
        painter.fillRect(8, top, width() - 16, pen, palette().color(QPalette::ButtonText));
    }
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ThicknessPreview::mouseReleaseEvent(QMouseEvent *event)
{
    const QPoint at = event->position().toPoint();
    // A release away from the preview takes nothing back and chooses nothing.
    if (event->button() != Qt::LeftButton || !rect().contains(at))
        return;
    Q_EMIT rowClicked(at.y() / bandHeight);
}

} // namespace Tarvosk
