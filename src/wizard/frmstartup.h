#pragma once

#include "wizard/appcontext.h"

#include <QDialog>
#include <QPixmap>
#include <QPoint>
#include <QRect>
#include <QRegion>

#include <functional>

class QLabel;

namespace Tarvosk {

class HoverWatch;

// The start-up screen: a frameless window cut to the outline of its picture,
// dragged by its body, with two picture buttons that light up under the pointer.
// Clicking a lit button chooses; Escape quits. By keys, Tab or the arrows light
// one button after the other, and Enter or Space chooses the lit one.
class frmStartup : public QDialog
{
    Q_OBJECT

public:
    explicit frmStartup(QWidget *parent = nullptr);
    ~frmStartup() override;

    // Shows the screen modally, centred on the primary screen, and gives the user's choice.
    // `whileShown` runs once the screen is on screen and painted: work the screen itself
    // does not need waits until then.
    static StartupChoice ask(QWidget *parent = nullptr, std::function<void()> whileShown = {});

    StartupChoice choice() const;
    // The region the window was cut to when it loaded.
    QRegion shape() const;
    bool isDragging() const;
    // The button lit now: Create, Edit, or NoChoice when none is.
    StartupChoice litChoice() const;
    // The watch that puts a lit picture out once the pointer has left it (tmrMouseOff).
    HoverWatch *hoverWatch() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public Q_SLOTS:
    void done(int result) override;

private:
    void Form_Load();
    QLabel *addPicture(const QString &objectName, const QRect &geometry, const QPixmap &picture);
    void pictureHovered(QLabel *picture, QLabel *lit, QMouseEvent *event);
    void hideLitPictures();
    // Lights the other button, or the first when none is lit.
    void lightNext();
    void choose(StartupChoice choice);

    QPixmap m_background;
    QLabel *m_imgCreate;
    QLabel *m_imgEdit;
    QLabel *m_imgCreateActive;
    QLabel *m_imgEditActive;
    HoverWatch *m_hoverWatch;

    QRegion m_shape;
    QPoint m_dragOrigin;
    bool m_dragging = false;
    StartupChoice m_choice = StartupChoice::NoChoice;
    std::function<void()> m_whileShown;
};

} // namespace Tarvosk
