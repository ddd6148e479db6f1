#pragma once

#include "rules/charactervalues.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// The fixed tables by which a finished character is written onto the sheet:
// the untrained skills a sheet starts with, the keywords that sort the learnt
// lines, the talent steps, the income classes and the currencies.
namespace Tarvosk::CompositionTables {

// The general skills of the sheet's skill rows in row order, each with its
// untrained value and its requirement: "Allgemeinbildung+3 (In31)".
const QStringList &defaultGeneralSkills();
// The standard weapons of the first five rows of the weapon table, in the
// same line form: "Dolch+4 (Gs31)".
const QStringList &standardWeapons();

// Upper case. A learnt line whose upper-cased text contains one of these is a
// weapon skill.
const QStringList &weaponKeywords();
// Upper case. A learnt line whose upper-cased text contains one of these is on
// the sheet already and is not placed again.
const QStringList &skippedKeywords();

// A value at least the first step gives one talent, at least the second one more.
inline constexpr std::array<int, 2> talentSteps{81, 96};

// The amount of an income class "A" to "L" in the base currency; nothing for
// any other text.
std::optional<double> incomeAmount(QStringView incomeClass);

struct Currency
{
    QStringView name;   // as the settings dialog lists it
    double divisor;     // of an amount in the base currency
    QStringView suffix; // closes the income line
};

// The currencies by the code the "Currency" setting stores.
const std::array<Currency, 9> &currencies();
// The currency of a code; a code outside the table is the default, code 0.
const Currency &currency(int code);
// The currencies' names in code order, for the settings dialog's list.
QStringList currencyNames();

} // namespace Tarvosk::CompositionTables
