#include "support/scriptedrandom.h"

namespace Tarvosk {

ScriptedRandom::ScriptedRandom(QList<float> numbers)
    : numbers(std::move(numbers))
{
}

float ScriptedRandom::next()
{
    return numbers.isEmpty() ? fallback : numbers.takeFirst();
}

void ScriptedRandom::seed(double value)
{
    seeds.append(value);
}

float ScriptedRandom::forFace(int face, int sides)
{
    return (float(face) - 0.5f) / float(sides);
}

} // namespace Tarvosk
