#pragma once

#include "rules/charactervalues.h"
#include "rules/skillrow.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace Tarvosk {

// A d100 result by inclusive roll ranges.
struct RollRange
{
    int low;
    int high;
    QString result;
};

// A least value the class demands of a rolled value.
struct ClassMinimum
{
    Values::Code code;
    int least;
};

// Everything the rules know about one character class.
struct ClassEntry
{
    QString name;
    // Met by the rolled values, or the roll is done again.
    std::vector<ClassMinimum> minimums;
    // Added to the Ausdauerpunkte: +3 for the hardy classes, -3 for the others.
    int enduranceAdjustment = -3;
    // Taken from the Selbstbeherrschung roll (never below 0).
    int selfControlPenalty = 30;
    // Ruhm ("3/2") and Einkommensklasse ("A" to "J") by d100.
    std::vector<RollRange> fame;
    std::vector<RollRange> income;
    // The class skills by cost column (1, 2 and 3 points).
    std::array<QStringList, 3> skillColumns;
};

// The fifteen classes, in the order of the class list.
const std::vector<ClassEntry> &classCatalogue();
QStringList classNames();

// The entry of a class, compared exactly; nullptr for a name no class has.
[[nodiscard]] const ClassEntry *findClass(QStringView className);

// The result of a roll in a table; empty when no range holds it.
QString lookUpRoll(const std::vector<RollRange> &table, int roll);

// Writes the class's lines into the 36 class rows: every row is hidden, then
// column c fills rows 12c, 12c+1, ... and shows them. A row keeps its learnt
// state, and a learnt row of the same line its count.
void writeClassSkills(SkillList &rows, const ClassEntry &entry);

} // namespace Tarvosk
