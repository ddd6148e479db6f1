#include "support/scriptedrolldialogs.h"

namespace Tarvosk {

int ScriptedRollDialogs::placeValue(const CharacterRecord &, int value)
{
    valuesOffered.append(value);
    return placements.isEmpty() ? Abort : placements.takeFirst();
}

int ScriptedRollDialogs::chooseFreeAbility()
{
    ++freeChoicesOffered;
    return choices.isEmpty() ? -1 : choices.takeFirst();
}

} // namespace Tarvosk
