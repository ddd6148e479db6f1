#pragma once

#include "sheet/sheetlayout.h"
#include "sheet/sheetpainter.h"

#include <QTransform>
#include <QWidget>

class QLineEdit;

namespace Tarvosk {

class EquipmentPane;
class InPlaceEditor;
class SheetDocument;

// The paper of the sheet window: the page drawn from the document, with the
// in-place editor of captions and values (Text1) and the equipment pane with
// its line editor (Text2) and its right-click catalogue (mnuEquipment).
// The page is drawn at the widget's size: 585 x 841 pixels at zoom 1.
class SheetPage : public QWidget
{
    Q_OBJECT

public:
    explicit SheetPage(SheetDocument &document, QWidget *parent = nullptr);
    ~SheetPage() override;

    void setLook(const SheetLook &look);
    const SheetLook &look() const;
    // Hides both editors without committing them.
    void hideEditors();
    // Commits whichever editor is open, as Enter would.
    void commitEditors();

    // The label Text1 is open on (a caption or a value), or Kind::Nothing.
    SheetLayout::Hit editTarget() const;
    QLineEdit *textEditor() const;
    EquipmentPane *equipmentPane() const;
    // Page pixels to widget pixels.
    QTransform pageTransform() const;

    QSize sizeHint() const override;

    // A frame in the selection colour around the page while the keys scroll it.
    void setFocusShown(bool shown);
    bool isFocusShown() const;

Q_SIGNALS:
    // A click on the page outside any label, or the equipment menu opening:
    // the window takes away hover frames and menus.
    void backgroundClicked();
    // Text1 or Text2 took the focus: the window takes away hover frames and menus.
    void editorFocused();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    SheetLayout::Hit hitAt(QPointF widgetPoint) const;
    void beginEdit(SheetLayout::Hit target);
    // Commits Text1 as if Enter had been pressed in it.
    void SaveText1();
    void hideText1();
    static QRect pageRect(SheetLayout::Hit target);
    QRect labelRect(SheetLayout::Hit target) const;
    // The look's font at the size the painter gives it on this page.
    QFont editorFont(const QFont &font) const;
    void placeChildren();

    SheetDocument &m_document;
    SheetLook m_look;
    InPlaceEditor *m_editor;
    EquipmentPane *m_pane;
    SheetLayout::Hit m_editTarget;
    SheetLayout::Hit m_pressed;
    bool m_focusShown = false;
};

} // namespace Tarvosk
