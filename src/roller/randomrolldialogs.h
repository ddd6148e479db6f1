#pragma once

#include "rules/attributeroll.h"

namespace Tarvosk {

class RandomSource;

// The roll's dialogs answered without a player: after a special-ability roll
// of 100 one of the fourteen free choices is taken at random. Values are never
// placed by hand here, so a placement asked for all the same ends the roll.
class RandomRollDialogs final : public RollDialogs
{
public:
    explicit RandomRollDialogs(RandomSource &random);

    int placeValue(const CharacterRecord &record, int value) override;
    int chooseFreeAbility() override;

private:
    RandomSource &m_random;
};

} // namespace Tarvosk
