#pragma once

#include "rules/characterrecord.h"

#include <QString>
#include <QStringList>

namespace Tarvosk {

struct ClassEntry;
class RandomSource;

// Whether the values have been rolled: step 2 opens only then.
bool hasRolledValues(const CharacterRecord &record);

// Entering step 2: the learning points are rolled once per pass (not after a
// step back), the mother tongue is valued by the Intelligenz, the given school
// rows are learnt and the class's rows are written. Rows learnt on the school
// list of the other sex are unlearnt, their points returned.
void enterSkillsStep(CharacterRecord &record, WizardState &wizard, const ClassEntry &entry, RandomSource &random);

// 10, 14 above an Intelligenz of 31, 18 above 61.
int motherTongueValue(double intelligence);

// Entering step 3: the personal data are cleared (unless coming back from
// step 3), a trait is drawn for the quirk bonus, and the age is computed.
void enterPersonalStep(CharacterRecord &record, const WizardState &wizard, RandomSource &random);

// 18 and a third of the points spent, to the nearest year (a half to the even one).
QString ageText(const CharacterRecord &record, const WizardState &wizard);

// The twenty marked traits of character; the last is the game master's to decide.
const QStringList &characterTraits();

} // namespace Tarvosk
