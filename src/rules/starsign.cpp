#include "rules/starsign.h"

#include <array>

namespace Tarvosk {

namespace {

struct StarSignPeriod
{
    const char16_t *name;
    int firstDay;
    int firstMonth;
    int lastDay;
    int lastMonth;
};

// In the order they are tried; Steinbock spans the turn of the year.
constexpr std::array<StarSignPeriod, 12> periods{{
    {u"Widder", 21, 3, 20, 4},
    {u"Stier", 21, 4, 20, 5},
    {u"Zwilling", 21, 5, 21, 6},
    {u"Krebs", 22, 6, 22, 7},
    {u"Löwe", 23, 7, 23, 8},
    {u"Jungfrau", 24, 8, 23, 9},
    {u"Waage", 24, 9, 23, 10},
    {u"Skorpion", 24, 10, 22, 11},
    {u"Schütze", 23, 11, 21, 12},
    {u"Steinbock", 22, 12, 20, 1},
    {u"Wassermann", 21, 1, 19, 2},
    {u"Fische", 20, 2, 20, 3},
}};

} // namespace

QString starSign(int day, int month)
{
    for (const StarSignPeriod &period : periods) {
        if ((month == period.firstMonth && day >= period.firstDay)
            || (month == period.lastMonth && day <= period.lastDay))
            return QString::fromUtf16(period.name);
    }
    return QString();
}

int daysInMonth(int month)
{
    switch (month) {
    case 2:
        return 28;
    case 4:
    case 6:
    case 9:
    case 11:
        return 30;
    default:
        return 31;
    }
}

int dayWithinMonth(int day, int month)
{
    return qMin(day, daysInMonth(month));
}

} // namespace Tarvosk
