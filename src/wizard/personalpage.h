#pragma once

#include <QWidget>

class QGroupBox;
class QLineEdit;

namespace Tarvosk {

class ListComboBox;

// Step 3 of the wizard: the personal data, the appearance and the traits.
class PersonalPage : public QWidget
{
    Q_OBJECT

public:
    // The page's button bar runs along its top edge; the icon pair sits in "Personalien".
    PersonalPage(QWidget *buttonBar, QWidget *iconPair, QWidget *parent = nullptr);

    QGroupBox *Frame11;       // "Personalien"
    QLineEdit *Text1;         // name
    ListComboBox *Text2;      // player, with the history as its list
    ListComboBox *Combo3;     // nationality
    QLineEdit *Text3;         // age
    ListComboBox *cbxBDay;
    ListComboBox *cbxBMonth;
    QLineEdit *txtStarsign;
    QLineEdit *Text7;         // address
    QGroupBox *Frame12;       // "Äußerliches & Eigenschaften"
    ListComboBox *Combo4;     // eye colour
    ListComboBox *Combo5;     // hair colour
    ListComboBox *Combo6;     // race
    ListComboBox *Combo7;     // religion
    ListComboBox *Combo8;     // habits
    QLineEdit *Text5;         // quirk
};

} // namespace Tarvosk
