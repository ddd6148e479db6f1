#pragma once

#include <QString>

#include <array>

// The sheet as printed before a character is written on it: the labels a blank
// sheet starts with and the standard weapons of its weapon table.
namespace Tarvosk::SheetDesign {

// The printed label of caption 0..95; empty where the character's own texts
// go (name, class, the rows for further skills) and for an index out of range.
QString caption(int index);

// The value cells of the weapon table that hold the standard weapons; the cell
// after each takes the weapon's value.
inline constexpr std::array<int, 5> standardWeaponCells{129, 133, 137, 141, 145};

// The name a blank sheet shows in standardWeaponCells[weapon]; empty for a
// weapon out of range.
QString standardWeaponName(int weapon);

} // namespace Tarvosk::SheetDesign
