#pragma once

#include <QString>

namespace Tarvosk {

// The star sign of a birthday (month 1 = Januar); a year has no leap day here.
QString starSign(int day, int month);

// Februar 28, April, Juni, September and November 30, the others 31.
int daysInMonth(int month);

// The day, limited to the month's last day.
int dayWithinMonth(int day, int month);

} // namespace Tarvosk
