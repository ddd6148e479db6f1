#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace Tarvosk {

// Reads the number a text starts with: leading blanks are skipped, "." is the
// only decimal point, and reading stops at the first other character, so
// "-" and "" read as 0 and "12abc" reads as 12.
double leadingNumber(QStringView text);
// The same, but nothing when the text does not start with a number at all.
std::optional<double> parseLeadingNumber(QStringView text);

// The nearest whole number; a half goes to the even neighbour (18.5 -> 18, 19.5 -> 20).
int roundHalfEven(double value);

} // namespace Tarvosk
