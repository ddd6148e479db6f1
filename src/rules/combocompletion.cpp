#include "rules/combocompletion.h"

namespace Tarvosk {

QString completedRace(const QString &selected)
{
    const qsizetype parenthesis = selected.indexOf(u'(');
    if (parenthesis < 0)
        return selected;
    return selected.left(parenthesis).trimmed();
}

QString completedHabits(const QString &before, const QString &chosen)
{
    QString habits = before;
    const QString trimmed = habits.trimmed();
    if (!trimmed.isEmpty() && !trimmed.endsWith(u','))
        habits += QStringLiteral(", ");
    if (!habits.contains(chosen, Qt::CaseInsensitive))
        habits += chosen;
    return habits;
}

} // namespace Tarvosk
