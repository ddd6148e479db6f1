#pragma once

#include <QLineEdit>

namespace Tarvosk {

// A one-line editor laid over a text of the sheet: Enter keeps what was
// typed, Escape empties the editor and throws it away; neither key goes on.
class InPlaceEditor : public QLineEdit
{
    Q_OBJECT

public:
    InPlaceEditor(const QString &objectName, QWidget *parent);

Q_SIGNALS:
    void committed();
    void discarded();
    void focused();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
};

} // namespace Tarvosk
