#include "widgets/freeshape.h"

#include "rules/numerictext.h"

#include <QFile>
#include <QWidget>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Tarvosk::FreeShape {

namespace {

// The integer part; a number beyond 64 bits has none worth keeping.
qint64 wholeNumber(double value)
{
    const double whole = std::trunc(value);
    return std::isfinite(whole) && std::abs(whole) < 9.0e18 ? static_cast<qint64>(whole) : 0;
}

// The stored numbers are 16-bit: a larger value keeps its low 16 bits.
qint16 toInt16(double value)
{
    return static_cast<qint16>(static_cast<quint16>(wholeNumber(value) & 0xffff));
}

} // namespace

QList<QRect> shapeRectangles(QStringView text)
{
    QList<qint16> numbers;
    for (qsizetype comma = text.indexOf(u','); comma >= 0; comma = text.indexOf(u',')) {
        numbers.append(toInt16(leadingNumber(text.left(comma))));
        text = text.mid(comma + 1);
    }

    QList<QRect> rectangles;
    rectangles.reserve(numbers.size() / 4);
    for (qsizetype i = 0; i + 3 < numbers.size(); i += 4) {
        const int left = numbers[i];
        const int top = numbers[i + 1];
        rectangles.append(QRect(left, top, numbers[i + 2] - left, numbers[i + 3] - top));
    }
    return rectangles;
}

QRegion shapeRegion(const QList<QRect> &rectangles)
{
    QRegion region;
    for (const QRect &rectangle : rectangles)
        region += rectangle;
    return region;
}

QRegion resourceRegion(QStringView resourceNumber)
{
    QFile resource(u":/text/"_s + QString::number(wholeNumber(leadingNumber(resourceNumber))));
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    return shapeRegion(shapeRectangles(QString::fromLatin1(resource.readAll())));
}

QRegion applyShape(QWidget &window, QStringView resourceNumber)
{
    const QRegion region = resourceRegion(resourceNumber);
    window.setMask(region);
    return region;
}

void removeShape(QWidget &window)
{
    window.clearMask();
}

} // namespace Tarvosk::FreeShape
