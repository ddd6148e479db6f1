#pragma once

#include <random>

namespace Tarvosk {

// The one source of chance: every roll of the game draws from it, so that a
// seed (or a test's fixed sequence) decides every result.
class RandomSource
{
public:
    virtual ~RandomSource() = default;

    // A uniform number r with 0 <= r < 1, never 1.
    virtual float next() = 0;
    virtual void seed(double value) = 0;

    // dN: the integer part of r * sides, plus 1.
    int die(int sides);
    // The sum of count dice of the given sides.
    int dice(int count, int sides);
};

// The program's generator: the same seed gives the same sequence in every run.
class SeededRandom final : public RandomSource
{
public:
    SeededRandom();

    float next() override;
    void seed(double value) override;

private:
    std::mt19937 m_engine;
};

} // namespace Tarvosk
