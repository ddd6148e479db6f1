#include "wizard/form2.h"

#include "widgets/iconbutton.h"
#include "widgets/windowplacement.h"
#include "rules/attributeroll.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace Tarvosk {

using namespace Qt::StringLiterals;

Form2::Form2(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"Form2"_s);
    setWindowTitle(u"100 gewürfelt !"_s);

    auto *grid = new QGridLayout(this);
    auto *picture = new QLabel(this);
    picture->setObjectName(u"Image1"_s);
    picture->setPixmap(resourcePixmap(u":/icons/roll.svg"_s, QSize(40, 40), devicePixelRatioF()));
    auto *label = new QLabel(u"Freie Auswahl und zusätzlicher Wurf."_s, this);
    label->setObjectName(u"Label1"_s);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    auto *heading = new QHBoxLayout;
    heading->addWidget(picture);
    heading->addWidget(label, 1);
    grid->addLayout(heading, 0, 0, 1, 2);

    // The five small senses left, the keen ones and the special abilities right.
    const QStringList &captions = freeAbilityCaptions();
    for (int i = 0; i < captions.size(); ++i) {
        auto *button = new QPushButton(captions[i], this);
        button->setObjectName(u"Command1_%1"_s.arg(i));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, i] {
            m_choice = i;
            accept();
        });
        m_buttons.push_back(button);
        const int half = int(captions.size() + 1) / 2;
        grid->addWidget(button, 1 + i % half, i / half);
    }

    adjustSize();
    WindowPlacement::centre(*this);
}

int Form2::choice() const
{
    return m_choice;
}

QPushButton *Form2::button(int index) const
{
    return index >= 0 && index < int(m_buttons.size()) ? m_buttons[index] : nullptr;
}

} // namespace Tarvosk
