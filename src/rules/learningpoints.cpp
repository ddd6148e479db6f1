#include "rules/learningpoints.h"

#include "rules/numerictext.h"

#include <cmath>

namespace Tarvosk {

namespace {

constexpr int classPool = 0;
constexpr int untypicalPool = 2;
constexpr int quirkPoints = 3;

double pool(const CharacterRecord &record, int index)
{
    return leadingNumber(record.learningPoints[index]);
}

void setPool(CharacterRecord &record, int index, double value)
{
    // A whole number, as the pools always hold, written as what it is: the
    // same text as QString::number(value, 'g', 15) gives, at a fraction of the cost.
    const bool whole = value == std::trunc(value) && std::abs(value) < 1e15 && !(value == 0 && std::signbit(value));
    record.learningPoints[index] = whole ? QString::number(qint64(value)) : QString::number(value, 'g', 15);
}

void addToPool(CharacterRecord &record, int index, double amount)
{
    setPool(record, index, pool(record, index) + amount);
}

} // namespace

int poolOf(SkillListId list)
{
    switch (list) {
    case SkillListId::ClassSkills:
        return classPool;
    case SkillListId::SchoolMale:
    case SkillListId::SchoolFemale:
        return 1;
    case SkillListId::Untypical:
        break;
    }
    return untypicalPool;
}

bool canPay(const CharacterRecord &record, SkillListId list, int cost)
{
    const double left = pool(record, poolOf(list)) - cost;
    if (left >= 0)
        return true;
    return list == SkillListId::Untypical && pool(record, classPool) + left >= 0;
}

bool spend(CharacterRecord &record, WizardState &wizard, SkillListId list, int cost)
{
    if (!canPay(record, list, cost))
        return false;
    // Cost 0 (the given lines) leaves even an unrolled "-" as it is.
    if (cost == 0)
        return true;
    const int index = poolOf(list);
    const double left = pool(record, index) - cost;
    if (left >= 0) {
        setPool(record, index, left);
        return true;
    }
    const double shortfall = -left;
    wizard.borrowedPoints += static_cast<int>(shortfall);
    addToPool(record, classPool, -shortfall);
    setPool(record, untypicalPool, 0);
    return true;
}

void refund(CharacterRecord &record, WizardState &wizard, SkillListId list, int cost)
{
    if (cost == 0)
        return;
    const int borrowed = wizard.borrowedPoints;
    if (list != SkillListId::Untypical || borrowed < 1) {
        addToPool(record, poolOf(list), cost);
    } else if (cost <= borrowed) {
        addToPool(record, classPool, cost);
        wizard.borrowedPoints = borrowed - cost;
    } else {
        addToPool(record, classPool, borrowed);
        addToPool(record, untypicalPool, cost - borrowed);
        wizard.borrowedPoints = 0;
    }
}

QuirkBoxResult quirkBoxClicked(CharacterRecord &record, WizardState &wizard, bool ticked)
{
    QuirkBoxResult result;
    // Without a step back the pools are not rolled yet in this pass.
    if (!wizard.backToStep1 && !wizard.backToStep2) {
        result.boxTicked = ticked;
    } else if (ticked) {
        addToPool(record, untypicalPool, quirkPoints);
        wizard.totalLearningPoints += quirkPoints;
        result.effect = QuirkBoxResult::Effect::PointsAdded;
        result.boxTicked = true;
    } else {
        // The extra points may already be spent, so the bonus cannot be taken back.
        result.effect = QuirkBoxResult::Effect::Refused;
        result.boxTicked = true;
        result.refusal = quirkRefusalText;
    }
    record.quirkBonus = result.boxTicked;
    return result;
}

} // namespace Tarvosk
