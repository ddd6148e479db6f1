#include "rules/startupseed.h"

#include "rules/numerictext.h"

namespace Tarvosk {

double secondsSinceMidnight(QTime now)
{
    return now.msecsSinceStartOfDay() / 1000.0;
}

std::optional<double> startupSeed(const QString &option, const QString &userText, QTime now, QDate today)
{
    if (option == u"0")
        return secondsSinceMidnight(now);
    if (option == u"1")
        return leadingNumber(today.toString(QStringLiteral("dd.MM.yyyy")));
    if (option == u"2")
        return leadingNumber(userText);
    return std::nullopt;
}

} // namespace Tarvosk
