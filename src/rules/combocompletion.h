#pragma once

#include <QString>

namespace Tarvosk {

// A chosen race entry keeps only the word before its parenthesis:
// "Mongolide (Asiaten,Indianer)" becomes "Mongolide".
QString completedRace(const QString &selected);

// A chosen habit is added to the habits written before, separated by a comma
// and a blank, unless they already contain it (ignoring case).
QString completedHabits(const QString &before, const QString &chosen);

} // namespace Tarvosk
