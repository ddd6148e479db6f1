#include "settings/blendanimation.h"

#include <QTimer>

#include <cmath>
#include <numbers>

namespace Tarvosk {

BlendAnimation::BlendAnimation(QImage first, QImage second, QObject *parent)
    : QObject(parent)
    , m_first(std::move(first).convertToFormat(QImage::Format_ARGB32))
    , m_second(std::move(second).convertToFormat(QImage::Format_ARGB32))
    , m_timer(new QTimer(this))
{
    m_timer->setObjectName(QStringLiteral("tmrAnimation"));
    m_timer->setInterval(interval);
    connect(m_timer, &QTimer::timeout, this, &BlendAnimation::advance);
}

void BlendAnimation::start()
{
    m_timer->start();
}

void BlendAnimation::stop()
{
    m_timer->stop();
}

bool BlendAnimation::isRunning() const
{
    return m_timer->isActive();
}

QTimer *BlendAnimation::timer() const
{
    return m_timer;
}

int BlendAnimation::frame() const
{
    return m_frame;
}

QImage BlendAnimation::picture() const
{
    return blend(m_first, m_second, weight(m_frame));
}

void BlendAnimation::advance()
{
    m_frame = (m_frame + 1) % frameCount;
    Q_EMIT pictureChanged(picture());
}

double BlendAnimation::weight(int frame)
{
    return (1 - std::cos(2 * std::numbers::pi * frame / frameCount)) / 2;
}

QImage BlendAnimation::blend(const QImage &first, const QImage &second, double w)
{
    const QImage a = first.convertToFormat(QImage::Format_ARGB32);
    const QImage b = second.convertToFormat(QImage::Format_ARGB32).scaled(a.size());
    QImage out(a.size(), QImage::Format_ARGB32);
    const auto mix = [w](int from, int to) { return int(std::lround(from + (to - from) * w)); };
    for (int y = 0; y < a.height(); ++y) {
        const auto *rowA = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *rowB = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        auto *rowOut = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = rowA[x];
            const QRgb q = rowB[x];
            rowOut[x] = qRgba(mix(qRed(p), qRed(q)), mix(qGreen(p), qGreen(q)), mix(qBlue(p), qBlue(q)),
                              mix(qAlpha(p), qAlpha(q)));
        }
    }
    return out;
}

} // namespace Tarvosk
