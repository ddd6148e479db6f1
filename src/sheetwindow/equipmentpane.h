#pragma once

#include <QWidget>

class QAction;
class QLineEdit;
class QMenu;

namespace Tarvosk {

class InPlaceEditor;
class SheetDocument;

// The equipment pane of the sheet (Picture3): a click opens the line editor
// (Text2) on the line under it, a right click the catalogue (mnuEquipment)
// whose pick, insert and delete address the line under the right click. The
// lines themselves are drawn by the page beneath; the pane only takes input.
// Its coordinates are page pixels times the zoom the page gives it.
class EquipmentPane : public QWidget
{
    Q_OBJECT

public:
    explicit EquipmentPane(SheetDocument &document, QWidget *parent = nullptr);

    // Widget pixels per page pixel; places an open editor anew.
    void setZoom(qreal zoom);
    void setEditorFont(const QFont &font);

    // Opens Text2 on the line under pane Y (page pixels), committing an open
    // Text2 first; lineEditStarting() lets the page commit Text1 before.
    void beginLineEdit(int paneY);
    // The line open in Text2, or -1.
    int editedLine() const;
    // Stores Text2 into its line, as Enter does; nothing when it is closed.
    void commitEditor();
    // Closes Text2 without storing it.
    void hideEditor();

    // The pane Y of the last right click, halves rounded to even.
    int menuY() const;
    QLineEdit *lineEditor() const;
    QMenu *menu() const;
    // Undo and redo at the end of the catalogue, for the whole sheet.
    void addHistoryActions(QAction *undo, QAction *redo);

Q_SIGNALS:
    // Text2 is about to open: the page commits its own editor first.
    void lineEditStarting();
    // The catalogue opens: the page hides its editor and the window its hover frames.
    void menuOpening();
    // Text2 took the focus.
    void editorFocused();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void buildMenu();
    void placeEditor();
    int menuLine() const;
    void pick(const QString &text);

    SheetDocument &m_document;
    InPlaceEditor *m_editor;
    QMenu *m_menu;
    qreal m_zoom = 1.0;
    int m_editedLine = -1;
    int m_menuY = 0;
};

} // namespace Tarvosk
