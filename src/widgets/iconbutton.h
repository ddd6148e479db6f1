#pragma once

#include <QLabel>

namespace Tarvosk {

// A 24 x 24 picture button. Pointing at it asks its bar for the hover frame;
// pressing draws a single-line border until the button is released; a left
// click inside it triggers its action. Tab gives it the focus (a click does
// not take it from a text box), and Space or Enter then triggers it too.
class IconButton : public QLabel
{
    Q_OBJECT

public:
    static constexpr int side = 24;

    IconButton(const QString &objectName, const QString &iconResource, const QString &toolTip,
               QWidget *parent = nullptr);

    bool isPressedLook() const;

Q_SIGNALS:
    void hovered(Tarvosk::IconButton *button, QPoint globalTopLeft);
    void pressed(Tarvosk::IconButton *button);
    void clicked();

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setPressedLook(bool pressed);
};

// A picture from the resources at the given size; SVG pictures are drawn sharp.
QPixmap resourcePixmap(const QString &resource, QSize size);

} // namespace Tarvosk
