#include "wizard/valuespage.h"

#include "wizard/listcombobox.h"
#include "wizard/valueframe.h"
#include "rules/charactervalues.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace Tarvosk {

ValuesPage::ValuesPage(QWidget *buttonBar, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("step1"));

    auto *frame1 = new QGroupBox(QStringLiteral("Charaktereigenschaften"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    Combo1 = new ListComboBox(QStringLiteral("Combo1"), false, frame1);
    Combo2 = new ListComboBox(QStringLiteral("Combo2"), false, frame1);
    Check1 = new QCheckBox(QStringLiteral("Mehr Freiheit für Spieler !"), frame1);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check2 = new QCheckBox(QStringLiteral("Ja zur charakterlichen Eigenheit"), frame1);
    Check2->setObjectName(QStringLiteral("Check2"));
    auto *frame1Layout = new QVBoxLayout(frame1);
    frame1Layout->setContentsMargins(8, 4, 8, 6);
    frame1Layout->setSpacing(3);
    auto *choices = new QHBoxLayout;
    choices->addWidget(Combo1, 3);
    choices->addWidget(Combo2, 2);
    frame1Layout->addLayout(choices);
    frame1Layout->addWidget(Check1);
    frame1Layout->addWidget(Check2);

    Frame2 = new ValueFrame(QStringLiteral("Frame2"), QStringLiteral("Basiseigenschaften"), Values::basisCaptions(),
                            QStringLiteral("Basis"), this);
    Frame3 = new ValueFrame(QStringLiteral("Frame3"), QStringLiteral("Abgeleitete Eigenschaften"),
                            Values::derivedCaptions(), QStringLiteral("Abgel"), this);
    Frame4 = new ValueFrame(QStringLiteral("Frame4"), QStringLiteral("Lebens- und Ausdauerpunkte"),
                            Values::lifeEnduranceCaptions(), QStringLiteral("LPAP"), this);
    Frame5 = new ValueFrame(QStringLiteral("Frame5"), QStringLiteral("Naturgegebene Fähigkeiten"),
                            Values::naturalCaptions(), QStringLiteral("Natur"), this);
    Frame6 = new ValueFrame(QStringLiteral("Frame6"), QStringLiteral("Hintergrund"), Values::backgroundCaptions(),
                            QStringLiteral("Hinter"), this);

    Frame5->addFullRow(new QLabel(QStringLiteral("Besonderes"), Frame5));
    List1 = new QListWidget(Frame5);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setFixedHeight(44);
    List1->setFocusPolicy(Qt::NoFocus);
    List1->setSelectionMode(QAbstractItemView::NoSelection);
    Frame5->addFullRow(List1);

    auto *left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(frame1);
    left->addWidget(Frame2);
    left->addWidget(Frame4);
    left->addWidget(Frame6);
    left->addStretch();
    auto *right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(Frame3);
    right->addWidget(Frame5);
    right->addStretch();
    auto *columns = new QHBoxLayout;
    columns->setContentsMargins(6, 4, 6, 6);
    columns->setSpacing(6);
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto *page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->setSpacing(0);
    page->addWidget(buttonBar);
    page->addLayout(columns, 1);
}

} // namespace Tarvosk
