#pragma once

#include "rules/characterrecord.h"

#include <QString>

namespace Tarvosk {

// The four skill lists of step 2.
enum class SkillListId { ClassSkills, SchoolMale, SchoolFemale, Untypical };

// The pool (index into CharacterRecord::learningPoints) a list spends:
// 0 class skills, 1 both school lists, 2 untypical skills.
int poolOf(SkillListId list);

// Whether a line of this cost can be paid from its list's pool; an untypical
// line may take its shortfall from the class-skill pool.
bool canPay(const CharacterRecord &record, SkillListId list, int cost);

// Takes the cost from the pool. Untypical lines that come short take the rest
// from pool 0 and note it in borrowedPoints. Returns false, and changes
// nothing, when the cost cannot be paid.
bool spend(CharacterRecord &record, WizardState &wizard, SkillListId list, int cost);

// Gives the cost back. Borrowed points of untypical lines go back to pool 0 first.
void refund(CharacterRecord &record, WizardState &wizard, SkillListId list, int cost);

// The message when the quirk box is cleared after the pools were rolled;
// shown with a critical icon and one OK button.
inline const QString quirkRefusalTitle = QStringLiteral("Charakter bereits erschaffen");
inline const QString quirkRefusalText = QStringLiteral("Sie können diese Eigenschaft nun nicht mehr abwählen");

// What ticking or clearing "Ja zur charakterlichen Eigenheit" did.
struct QuirkBoxResult
{
    enum class Effect { None, PointsAdded, Refused };

    Effect effect = Effect::None;
    bool boxTicked = false; // what the box shows afterwards
    QString refusal;        // quirkRefusalText when refused
};

// The rule behind Check2_Click ("Ja zur charakterlichen Eigenheit"), called
// after the box was ticked or cleared. Before the pools are rolled it only
// records the choice, since Next0 adds the 3 points when it rolls. Afterwards
// ticking adds 3 untypical points at once, and clearing is refused: the box
// stays ticked and the points stay. The record's quirkBonus follows
// boxTicked; the window sets the box back without calling this again. Points
// added late count into the rolled total too, so they do not make the
// character younger than 18.
QuirkBoxResult quirkBoxClicked(CharacterRecord &record, WizardState &wizard, bool ticked);

} // namespace Tarvosk
