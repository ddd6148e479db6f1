#include "wizard/form3.h"

#include "widgets/iconbutton.h"
#include "widgets/windowplacement.h"
#include "rules/attributeroll.h"
#include "rules/characterrecord.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

constexpr int firstTop = 48;
constexpr int rowStep = 32;
constexpr int buttonWidth = 232;

} // namespace

Form3::Form3(const CharacterRecord &record, int value, QWidget *mainWindow)
    : QDialog(mainWindow)
    , m_question(new QLabel(this))
    , m_answer(RollDialogs::Abort)
{
    setObjectName(u"Form3"_s);
    setWindowTitle(u"Basiseigenschaften"_s);

    const std::array<QString, 6> captions{u"&Stärke"_s,       u"&Geschicklichkeit"_s, u"Ge&wandtheit"_s,
                                          u"&Konstitution"_s, u"&Intelligenz"_s,
                                          u"Werte verwerfen und &Neu beginnen"_s};
    int y = firstTop;
    for (int i = 0; i < 6; ++i) {
        auto *button = new QPushButton(captions[i], this);
        button->setObjectName(u"Command1_%1"_s.arg(i));
        button->setAutoDefault(false);
        m_buttons[i] = button;
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        // "Neu beginnen" is always offered, after the attributes still free.
        if (i == 5 || canPlaceValue(record, i)) {
            button->setGeometry(8, y, buttonWidth, 26);
            y += rowStep;
        } else {
            button->hide();
        }
    }

    m_question->setObjectName(u"Label1"_s);
    m_question->setText(u"Wohin soll der Wert %1 ???"_s.arg(value));
    m_question->setGeometry(8, 12, buttonWidth, 24);
    QFont bold = m_question->font();
    bold.setBold(true);
    m_question->setFont(bold);

    auto *picture = new QLabel(this);
    picture->setObjectName(u"Image1"_s);
    picture->setPixmap(resourcePixmap(u":/icons/roll.svg"_s, QSize(48, 48), devicePixelRatioF()));
    picture->setGeometry(8 + buttonWidth + 12, firstTop, 48, 48);

    setFixedSize(8 + buttonWidth + 12 + 48 + 12, y + 32 - rowStep + 8);
    if (mainWindow)
        WindowPlacement::moveFrameTo(*this, WindowPlacement::frameTopLeft(*mainWindow) + QPoint(232, 120));
}

int Form3::answer() const
{
    return m_answer;
}

QPushButton *Form3::button(int index) const
{
    return index >= 0 && index < 6 ? m_buttons[index] : nullptr;
}

QString Form3::question() const
{
    return m_question->text();
}

void Form3::keyPressEvent(QKeyEvent *event)
{
    // There is no cancel action: leaving unchosen aborts the whole roll, so only the close box does it.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form3::Command1_Click(int index)
{
    m_answer = index < 5 ? index : RollDialogs::Discard;
    accept();
}

} // namespace Tarvosk
