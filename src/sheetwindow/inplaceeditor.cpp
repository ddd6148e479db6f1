#include "sheetwindow/inplaceeditor.h"

#include <QKeyEvent>

namespace Tarvosk {

InPlaceEditor::InPlaceEditor(const QString &objectName, QWidget *parent)
    : QLineEdit(parent)
{
    setObjectName(objectName);
    // A cell being written in: a thin border, the text just where the label's was
    // (a line edit keeps its text two pixels inside its border; the label has none).
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid palette(highlight); padding: 0; }"));
    constexpr int textInset = 2;
    setTextMargins(-textInset, 0, -textInset, 0);
    hide();
}

void InPlaceEditor::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        Q_EMIT committed();
        return;
    case Qt::Key_Escape:
        event->accept();
        clear();
        Q_EMIT discarded();
        return;
    default:
        QLineEdit::keyPressEvent(event);
    }
}

void InPlaceEditor::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    Q_EMIT focused();
}

} // namespace Tarvosk
