#include "wizard/combocompleter.h"

#include "wizard/listcombobox.h"

#include <QComboBox>
#include <QLineEdit>

namespace Tarvosk {

ComboCompleter::ComboCompleter(ListComboBox *race, ListComboBox *habits, QObject *parent)
    : QObject(parent)
    , m_race(race)
    , m_habits(habits)
{
    m_timer.setObjectName(QStringLiteral("tmrCombo"));
    m_timer.setInterval(intervalMs);
    connect(&m_timer, &QTimer::timeout, this, &ComboCompleter::tick);
    connect(race, &QComboBox::activated, this, [this] { startCompletion(m_race); });
    connect(habits, &QComboBox::activated, this, [this] { startCompletion(m_habits); });
    connect(habits, &ListComboBox::popupOpening, this, [this] { rememberHabitsText(m_habits->currentText()); });
    // What the user types is the text a later choice is added to.
    if (QLineEdit *edit = habits->lineEdit())
        connect(edit, &QLineEdit::textEdited, this, &ComboCompleter::rememberHabitsText);
}

void ComboCompleter::rememberHabitsText(const QString &text)
{
    if (!isCompleting())
        m_habitsBefore = text;
}

bool ComboCompleter::isCompleting() const
{
    return m_timer.isActive();
}

void ComboCompleter::startCompletion(QComboBox *completing)
{
    // The other field waits, disabled, until this one is complete.
    QComboBox *other = completing == m_race ? m_habits : m_race;
    other->setEnabled(false);
    m_completing = completing;
    m_ticks = 0;
    m_timer.start();
}

void ComboCompleter::tick()
{
    ++m_ticks;
    if (!m_completing) {
        m_timer.stop();
        return;
    }
    const QString selected = m_completing->currentText();
    if (selected.isEmpty() && m_ticks <= maxWaitTicks)
        return;

    QComboBox *completing = m_completing;
    m_completing = nullptr;
    m_timer.stop();
    (completing == m_race ? m_habits : m_race)->setEnabled(true);
    if (completing == m_race)
        Q_EMIT raceChosen(selected);
    else
        Q_EMIT habitChosen(m_habitsBefore, selected);
}

} // namespace Tarvosk
