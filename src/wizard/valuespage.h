#pragma once

#include <QWidget>

class QCheckBox;
class QListWidget;

namespace Tarvosk {

class ListComboBox;
class ValueFrame;

// Step 1 of the wizard: class, sex, the two options and the rolled values.
class ValuesPage : public QWidget
{
    Q_OBJECT

public:
    // The page's button bar runs along its top edge.
    ValuesPage(QWidget *buttonBar, QWidget *parent = nullptr);

    ListComboBox *Combo1; // class
    ListComboBox *Combo2; // sex
    QCheckBox *Check1;    // "Mehr Freiheit für Spieler !"
    QCheckBox *Check2;    // "Ja zur charakterlichen Eigenheit"
    ValueFrame *Frame2;   // Basis
    ValueFrame *Frame3;   // Abgel
    ValueFrame *Frame4;   // LPAP
    ValueFrame *Frame5;   // Natur
    ValueFrame *Frame6;   // Hinter
    QListWidget *List1;   // special abilities
};

} // namespace Tarvosk
