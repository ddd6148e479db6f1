#pragma once

#include <QAbstractButton>

namespace Tarvosk {

// A 24 x 24 picture button. Pointing at it asks its bar for the hover frame;
// pressing draws a single-line border until the button is released; a left
// click inside it clicks it. Tab gives it the focus (a click does not take it
// from a text box), and Space or Enter then clicks it too. Its tool tip is
// its name for screen readers.
class IconButton : public QAbstractButton
{
    Q_OBJECT

public:
    static constexpr int side = 24;

    IconButton(const QString &objectName, const QString &iconResource, const QString &toolTip,
               QWidget *parent = nullptr);

    bool isPressedLook() const;
    // The picture's size inside the button, centred in it (22 x 22 unless set).
    void setPictureSize(QSize size);
    // A plain glyph (the drop-down arrow) is drawn in the palette's button
    // text colour, so that it shows on a light face as on a dark one.
    void setTinted(bool tinted);
    // The picture as drawn at the screen's pixel ratio.
    QPixmap picture() const;

Q_SIGNALS:
    void hovered(Tarvosk::IconButton *button, QPoint globalTopLeft);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QString m_resource;
    QSize m_pictureSize{side - 2, side - 2};
    bool m_tinted = false;
    mutable QPixmap m_picture; // drawn for the ratio and palette of the last paint
};

// A picture from the resources at the given size, in pixels of that ratio;
// SVG pictures are drawn sharp.
QPixmap resourcePixmap(const QString &resource, QSize size, qreal devicePixelRatio = 1);

} // namespace Tarvosk
