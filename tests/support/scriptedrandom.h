#pragma once

#include "rules/randomsource.h"

#include <QList>

namespace Tarvosk {

// Gives the numbers it was handed, in order, then the fallback; remembers the seeds it got.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(QList<float> numbers = {});

    float next() override;
    void seed(double value) override;

    // A number that makes dN come up as face (1..N).
    static float forFace(int face, int sides);

    QList<float> numbers;
    float fallback = 0.0f;
    QList<double> seeds;
};

} // namespace Tarvosk
