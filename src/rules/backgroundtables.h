#pragma once

#include <QString>

#include <vector>

namespace Tarvosk {

// A d100 result by inclusive roll ranges, for one class.
struct RollRange
{
    int low;
    int high;
    QString result;
};

// The d100 table of one background value for one class.
struct BackgroundTable
{
    QString className;
    std::vector<RollRange> ranges;
};

// Ruhm ("3/2") and Einkommensklasse ("A" to "J") by class.
const std::vector<BackgroundTable> &fameTables();
const std::vector<BackgroundTable> &incomeTables();

// The result of a roll for a class; empty when the class or the roll is not in the table.
QString lookUpBackground(const std::vector<BackgroundTable> &tables, const QString &className, int roll);

} // namespace Tarvosk
