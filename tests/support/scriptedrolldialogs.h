#pragma once

#include "rules/attributeroll.h"

#include <QList>

namespace Tarvosk {

// Answers the roll's dialogs from lists (then Abort, or no free choice) and remembers what was asked.
class ScriptedRollDialogs final : public RollDialogs
{
public:
    int placeValue(const CharacterRecord &record, int value) override;
    int chooseFreeAbility() override;

    QList<int> placements;
    QList<int> choices;
    QList<int> valuesOffered;
    int freeChoicesOffered = 0;
};

} // namespace Tarvosk
