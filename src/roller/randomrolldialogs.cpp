#include "roller/randomrolldialogs.h"

#include "rules/randomsource.h"

namespace Tarvosk {

RandomRollDialogs::RandomRollDialogs(RandomSource &random)
    : m_random(random)
{
}

int RandomRollDialogs::placeValue(const CharacterRecord &record, int value)
{
    Q_UNUSED(record);
    Q_UNUSED(value);
    return Abort;
}

int RandomRollDialogs::chooseFreeAbility()
{
    return m_random.die(int(freeAbilityCaptions().size())) - 1;
}

} // namespace Tarvosk
