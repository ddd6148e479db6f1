#pragma once

#include "rules/skillrow.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace Tarvosk {

// The class skills of one character class, by cost column (1, 2 and 3 points).
struct ClassSkillTable
{
    QString className;
    std::array<QStringList, 3> columns;
};

// The fifteen classes, in the order of the class list.
const std::vector<ClassSkillTable> &classSkillCatalogue();

// The table of a class, compared exactly; nothing for an unknown class.
const ClassSkillTable *classSkillTable(const QString &className);

// Writes the class's lines into the 36 class rows: every row is hidden, then
// column c fills rows 12c, 12c+1, ... and shows them. A row keeps its learnt
// state; an unknown class leaves every row hidden.
void writeClassSkills(SkillList &rows, const QString &className);

} // namespace Tarvosk
