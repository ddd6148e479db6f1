#pragma once

#include "roller/randomrolldialogs.h"
#include "rules/charactercreation.h"

namespace Tarvosk {

struct CharacterRecord;
struct ClassEntry;
class RandomSource;

// Finished characters of one class, made by the wizard's creation core with
// chance in the player's place: the roll without "Mehr Freiheit", the
// learning points, random learning, step 3 (a quirk when asked for) and
// random personal data. The same dice give the same characters.
class CharacterRoller
{
public:
    CharacterRoller(RandomSource &random, const ClassEntry &entry, bool female, bool quirk);

    // The next character, as "Fertig" hands it to the sheet; valid until the next roll.
    const CharacterRecord &roll();

private:
    RandomSource &m_random;
    RandomRollDialogs m_dialogs;
    CharacterCreation m_creation;
    bool m_quirk;
};

} // namespace Tarvosk
