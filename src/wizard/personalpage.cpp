#include "wizard/personalpage.h"

#include "wizard/listcombobox.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace Tarvosk {

namespace {

QLineEdit *lineEdit(const QString &objectName, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    return edit;
}

QLabel *caption(const QString &text, QWidget *parent)
{
    return new QLabel(text, parent);
}

} // namespace

PersonalPage::PersonalPage(QWidget *buttonBar, QWidget *iconPair, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture2"));
    setAutoFillBackground(true);

    Frame11 = new QGroupBox(QStringLiteral("Personalien"), this);
    Frame11->setObjectName(QStringLiteral("Frame11"));
    Text1 = lineEdit(QStringLiteral("Text1"), Frame11);
    Text2 = new ListComboBox(QStringLiteral("Text2"), true, Frame11);
    Combo3 = new ListComboBox(QStringLiteral("Combo3"), true, Frame11);
    Text3 = lineEdit(QStringLiteral("Text3"), Frame11);
    Text3->setMaximumWidth(48);
    cbxBDay = new ListComboBox(QStringLiteral("cbxBDay"), false, Frame11);
    cbxBMonth = new ListComboBox(QStringLiteral("cbxBMonth"), false, Frame11);
    txtStarsign = lineEdit(QStringLiteral("txtStarsign"), Frame11);
    txtStarsign->setReadOnly(true);
    txtStarsign->setFocusPolicy(Qt::NoFocus);
    Text7 = lineEdit(QStringLiteral("Text7"), Frame11);

    auto *personal = new QGridLayout(Frame11);
    personal->setContentsMargins(8, 4, 8, 6);
    personal->setVerticalSpacing(3);
    personal->addWidget(caption(QStringLiteral("Name"), Frame11), 0, 0);
    personal->addWidget(Text1, 0, 1, 1, 3);
    personal->addWidget(caption(QStringLiteral("Spieler/Spielerin"), Frame11), 1, 0);
    auto *playerRow = new QHBoxLayout;
    playerRow->addWidget(Text2, 1);
    playerRow->addWidget(iconPair);
    personal->addLayout(playerRow, 1, 1, 1, 3);
    personal->addWidget(caption(QStringLiteral("Nationalität"), Frame11), 2, 0);
    personal->addWidget(Combo3, 2, 1);
    personal->addWidget(caption(QStringLiteral("Alter"), Frame11), 2, 2, Qt::AlignRight);
    personal->addWidget(Text3, 2, 3);
    personal->addWidget(caption(QStringLiteral("Geburtstag"), Frame11), 3, 0);
    auto *birthday = new QHBoxLayout;
    birthday->addWidget(cbxBDay);
    birthday->addWidget(cbxBMonth, 1);
    personal->addLayout(birthday, 3, 1, 1, 3);
    personal->addWidget(caption(QStringLiteral("Sternzeichen"), Frame11), 4, 0);
    personal->addWidget(txtStarsign, 4, 1, 1, 3);
    personal->addWidget(caption(QStringLiteral("Wohnort/Adresse"), Frame11), 5, 0);
    personal->addWidget(Text7, 5, 1, 1, 3);
    personal->setColumnStretch(1, 1);

    // "&&" shows a single ampersand in a frame caption.
    Frame12 = new QGroupBox(QStringLiteral("Äußerliches && Eigenschaften"), this);
    Frame12->setObjectName(QStringLiteral("Frame12"));
    Combo4 = new ListComboBox(QStringLiteral("Combo4"), true, Frame12);
    Combo5 = new ListComboBox(QStringLiteral("Combo5"), true, Frame12);
    Combo6 = new ListComboBox(QStringLiteral("Combo6"), true, Frame12);
    Combo7 = new ListComboBox(QStringLiteral("Combo7"), true, Frame12);
    Combo8 = new ListComboBox(QStringLiteral("Combo8"), true, Frame12);
    Text5 = lineEdit(QStringLiteral("Text5"), Frame12);

    auto *looks = new QGridLayout(Frame12);
    looks->setContentsMargins(8, 4, 8, 6);
    looks->setVerticalSpacing(3);
    const std::array<std::pair<const char16_t *, QWidget *>, 6> rows{{
        {u"Augenfarbe", Combo4},
        {u"Haarfarbe", Combo5},
        {u"Rassenkreis", Combo6},
        {u"Konfession", Combo7},
        {u"Gewohnheiten/Bemerkungen", Combo8},
        {u"Charakterliche Eigenheit", Text5},
    }};
    for (int i = 0; i < int(rows.size()); ++i) {
        looks->addWidget(caption(QString::fromUtf16(rows[i].first), Frame12), i, 0);
        looks->addWidget(rows[i].second, i, 1);
    }
    looks->setColumnStretch(1, 1);

    auto *content = new QVBoxLayout;
    content->setContentsMargins(6, 4, 6, 6);
    content->setSpacing(4);
    content->addWidget(Frame11);
    content->addWidget(Frame12);
    content->addStretch();
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(buttonBar);
    page->addLayout(content, 1);
}

} // namespace Tarvosk
