#pragma once

#include "rules/skillrow.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace Tarvosk {

// A group of skill lines of one cost, under its heading ("2 Lernpunkte:").
struct SkillGroup
{
    int cost;
    QString heading;
    QStringList lines;
};

// A fixed skill list as it stands in its frame.
struct SkillListTable
{
    QString frameCaption;
    std::vector<SkillGroup> groups;
};

const SkillListTable &untypicalTable();
const SkillListTable &schoolMaleTable();
const SkillListTable &schoolFemaleTable();

// The class-skill frame's three cost columns of twelve rows; the class's lines fill them.
inline constexpr int classSkillRowsPerColumn = 12;
inline constexpr int classSkillColumns = 3;
const SkillListTable &classSkillColumnsTable();

// The rows of a table in index order, each tagged with the cost of its group.
SkillList rowsOf(const SkillListTable &table);

SkillList untypicalSkills();
SkillList schoolKnowledgeMale();
SkillList schoolKnowledgeFemale();
// 36 hidden rows captioned with their column's cost, until a class is written into them.
SkillList classSkillPlaceholders();

// Rows 0 to 3 of both school lists: Abwehr, Ausweichen and the mother tongue, given free.
inline constexpr int givenSchoolRows = 4;

} // namespace Tarvosk
