#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace Tarvosk {

// An SVG drawn at this size on a transparent ground; an unreadable one gives a blank picture.
QImage svgPicture(const QByteArray &svg, QSize size);
QImage svgPicture(const QString &resource, QSize size);

} // namespace Tarvosk
