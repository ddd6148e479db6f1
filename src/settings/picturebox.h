#pragma once

#include <QImage>
#include <QWidget>

namespace Tarvosk {

// A picture that can be clicked, drawn centred, with an optional single
// frame (the chosen file icon wears one).
class PictureBox : public QWidget
{
    Q_OBJECT

public:
    PictureBox(const QString &objectName, QSize size, QWidget *parent = nullptr);

    void setPicture(const QImage &picture);
    QImage picture() const;
    void setFramed(bool framed);
    bool isFramed() const;

Q_SIGNALS:
    // The mouse went up over the picture.
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
    bool m_framed = false;
};

} // namespace Tarvosk
