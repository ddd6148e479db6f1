#include "rules/randomsource.h"

#include <bit>
#include <cmath>
#include <cstdint>

namespace Tarvosk {

int RandomSource::die(int sides)
{
    return static_cast<int>(std::floor(static_cast<double>(next()) * sides)) + 1;
}

int RandomSource::dice(int count, int sides)
{
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += die(sides);
    return sum;
}

// Unseeded, the generator starts from a fixed state, like an unseeded game die table.
SeededRandom::SeededRandom() = default;

float SeededRandom::next()
{
    // 24 random bits fill a float's mantissa exactly, so the result stays below 1.
    return static_cast<float>(m_engine() >> 8) * 0x1.0p-24f;
}

void SeededRandom::seed(double value)
{
    // Seeds may carry fractions (a date read as 6.12); all 64 bits take part.
    const auto bits = std::bit_cast<std::uint64_t>(value + 0.0);
    std::seed_seq sequence{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32)};
    m_engine.seed(sequence);
}

} // namespace Tarvosk
