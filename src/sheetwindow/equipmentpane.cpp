#include "sheetwindow/equipmentpane.h"

#include "sheetwindow/inplaceeditor.h"
#include "sheet/charactersheet.h"
#include "sheet/equipmentcatalogue.h"
#include "sheet/sheetdocument.h"
#include "sheet/sheetlayout.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include <cmath>

using namespace Qt::StringLiterals;

namespace Tarvosk {

EquipmentPane::EquipmentPane(SheetDocument &document, QWidget *parent)
    : QWidget(parent)
    , m_document(document)
    , m_editor(new InPlaceEditor(u"Text2"_s, this))
    , m_menu(new QMenu(this))
{
    setObjectName(u"Picture3"_s);
    setToolTip(u"Rechtsklick öffnet Ausrüstungsmenu"_s);
    connect(m_editor, &InPlaceEditor::committed, this, &EquipmentPane::commitEditor);
    connect(m_editor, &InPlaceEditor::discarded, this, &EquipmentPane::hideEditor);
    connect(m_editor, &InPlaceEditor::focused, this, &EquipmentPane::editorFocused);
    buildMenu();
}

void EquipmentPane::buildMenu()
{
    using namespace EquipmentCatalogue;
    m_menu->setObjectName(u"mnuEquipment"_s);
    m_menu->setTitle(u"Equipment"_s);

    const auto fill = [this](QMenu *menu, List list) {
        for (const Entry &entry : entries(list)) {
            switch (entry.kind) {
            case Entry::Kind::Separator:
                menu->addSeparator();
                break;
            case Entry::Kind::Heading:
                menu->addAction(entry.caption)->setEnabled(false);
                break;
            case Entry::Kind::Item:
                // The stored text comes from the catalogue, not from the
                // action, whose "&&" is the menu's escape for one "&".
                connect(menu->addAction(entry.caption), &QAction::triggered, this,
                        [this, text = entry.lineText()] { pick(text); });
                break;
            }
        }
    };

    QMenu *firearms = m_menu->addMenu(u"&Feuerwaffen"_s);
    firearms->setObjectName(u"mnuFeuerwaffen"_s);
    QMenu *handguns = firearms->addMenu(u"Faustfeuerwaffen"_s);
    handguns->setObjectName(u"mnuFaustfeuer"_s);
    fill(handguns, List::Handguns);
    QMenu *longArms = firearms->addMenu(u"Langwaffen"_s);
    longArms->setObjectName(u"mnuLang"_s);
    fill(longArms, List::LongArms);
    QMenu *blades = m_menu->addMenu(u"&Blankwaffen"_s);
    blades->setObjectName(u"mnuBlankwaffen"_s);
    fill(blades, List::Blades);
    QMenu *other = m_menu->addMenu(u"&Sonstiges"_s);
    other->setObjectName(u"mnuGebrauch"_s);
    fill(other, List::Other);
    m_menu->addSeparator();
    connect(m_menu->addAction(u"Zeile &einfügen"_s), &QAction::triggered, this,
            [this] { m_document.insertEquipmentLine(menuLine()); });
    connect(m_menu->addAction(u"Zeile &löschen"_s), &QAction::triggered, this,
            [this] { m_document.removeEquipmentLine(menuLine()); });

    const QList<QAction *> top = m_menu->actions();
    for (int i = 0; i < top.size(); ++i)
        top[i]->setObjectName(u"mnuAusrüstung_%1"_s.arg(i));
}

void EquipmentPane::setZoom(qreal zoom)
{
    m_zoom = zoom > 0 ? zoom : 1.0;
    placeEditor();
}

void EquipmentPane::setEditorFont(const QFont &font)
{
    m_editor->setFont(font);
}

void EquipmentPane::beginLineEdit(int paneY)
{
    commitEditor();
    Q_EMIT lineEditStarting();
    m_editedLine = qBound(0, SheetLayout::equipmentLineAt(paneY), CharacterSheet::equipmentLineCount - 1);
    placeEditor();
    m_editor->setText(m_document.sheet().equipmentLine(m_editedLine));
    m_editor->show();
    // All selected, the cursor at the start, so a long line shows its beginning.
    const int length = int(m_editor->text().size());
    m_editor->setSelection(length, -length);
    m_editor->setFocus(Qt::MouseFocusReason);
}

int EquipmentPane::editedLine() const
{
    return m_editedLine;
}

void EquipmentPane::commitEditor()
{
    if (m_editedLine < 0)
        return;
    const int line = m_editedLine;
    hideEditor();
    m_document.setEquipmentLine(line, m_editor->text());
}

void EquipmentPane::hideEditor()
{
    m_editedLine = -1;
    m_editor->hide();
}

int EquipmentPane::menuY() const
{
    return m_menuY;
}

QLineEdit *EquipmentPane::lineEditor() const
{
    return m_editor;
}

QMenu *EquipmentPane::menu() const
{
    return m_menu;
}

void EquipmentPane::addHistoryActions(QAction *undo, QAction *redo)
{
    m_menu->addSeparator();
    m_menu->addAction(undo);
    m_menu->addAction(redo);
}

void EquipmentPane::placeEditor()
{
    if (m_editedLine < 0)
        return;
    // Over the line's text cell as the painter writes it, from the rule above
    // the band to the rule below.
    const int indent = SheetLayout::equipmentTextIndent;
    const QRect band = SheetLayout::equipmentLineRect(m_editedLine).translated(-SheetLayout::equipmentPane().topLeft());
    const QRectF cell = band.adjusted(indent, -1, -indent / 2, 1);
    m_editor->setGeometry(QRectF(cell.topLeft() * m_zoom, cell.size() * m_zoom).toRect());
}

int EquipmentPane::menuLine() const
{
    return qBound(0, SheetLayout::equipmentLineAt(m_menuY), CharacterSheet::equipmentLineCount - 1);
}

void EquipmentPane::pick(const QString &text)
{
    m_document.setEquipmentLine(menuLine(), text);
}

// The pane acts on the release; the press must not reach the page beneath.
void EquipmentPane::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}

void EquipmentPane::mouseReleaseEvent(QMouseEvent *event)
{
    const qreal paneY = event->position().y() / m_zoom;
    if (event->button() == Qt::RightButton) {
        // std::nearbyint rounds halves to even in the default rounding mode.
        m_menuY = int(std::nearbyint(paneY));
        hideEditor();
        Q_EMIT menuOpening();
        m_menu->popup(event->globalPosition().toPoint());
    } else {
        beginLineEdit(int(paneY));
    }
    event->accept();
}

} // namespace Tarvosk
