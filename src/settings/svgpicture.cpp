#include "settings/svgpicture.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace Tarvosk {

QImage svgPicture(const QByteArray &svg, QSize size)
{
    QSvgRenderer renderer(svg);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (renderer.isValid()) {
        QPainter painter(&image);
        renderer.render(&painter);
    }
    return image;
}

QImage svgPicture(const QString &resource, QSize size)
{
    QFile file(resource);
    return svgPicture(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), size);
}

} // namespace Tarvosk
