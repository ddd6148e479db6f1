#pragma once

#include "rules/characterrecord.h"
#include "rules/learningpoints.h"

#include <QString>
#include <Qt>

namespace Tarvosk {

// A secondary click unlearns one count of a language line: the right button,
// or any button with Ctrl alone (Shift+Ctrl is a primary click).
bool isSecondaryClick(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

// A line that may be learnt several times and then carries a prefix "2x ".
bool isLanguageLine(const QString &caption);

SkillList &skillList(CharacterRecord &record, SkillListId list);
const SkillList &skillList(const CharacterRecord &record, SkillListId list);

// What a click did, so that the window only redraws and shows the refusal.
struct SkillClickResult
{
    bool changed = false; // a caption, a learnt state or a pool changed
    QString refusal;      // to show with refusalTitle; empty when none
};

// A click on a row of one of the four lists: learns it, counts a language line
// up or down, or unlearns it, under the learning rules and with the points of
// its pool. A refusal changes nothing. The given school rows (Abwehr,
// Ausweichen, mother tongue) never change by a click.
SkillClickResult clickSkillRow(CharacterRecord &record, WizardState &wizard, SkillListId list, int row,
                               bool secondary);

} // namespace Tarvosk
