#pragma once

#include <QImage>
#include <QObject>

class QTimer;

namespace Tarvosk {

// Two pictures blended into each other and back: a frame every 75 ms, 248
// frames to a round. The frame counter starts at 0, which shows the first picture.
class BlendAnimation : public QObject
{
    Q_OBJECT

public:
    static constexpr int frameCount = 248;
    static constexpr int interval = 75;

    BlendAnimation(QImage first, QImage second, QObject *parent = nullptr);

    void start();
    void stop();
    bool isRunning() const;
    QTimer *timer() const;

    int frame() const;
    // The picture of the current frame.
    QImage picture() const;
    // One tick: the next frame, after the last the first again.
    void advance();

    // How much of the second picture a frame shows: 0 at frame 0, all of it halfway round.
    static double weight(int frame);
    // Colour by colour, each pixel (1 - w) of the first and w of the second.
    static QImage blend(const QImage &first, const QImage &second, double w);

Q_SIGNALS:
    void pictureChanged(const QImage &picture);

private:
    QImage m_first;
    QImage m_second;
    QTimer *m_timer;
    int m_frame = 0;
};

} // namespace Tarvosk
