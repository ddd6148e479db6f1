#pragma once

#include <QDate>
#include <QString>
#include <QTime>

#include <optional>

namespace Tarvosk {

// The seed the start-up gives the dice, by the seed option: "0" the seconds
// since midnight, "1" today's date read as a number ("6.12" on 6 December),
// "2" the number the user wrote; any other option leaves the dice unseeded.
std::optional<double> startupSeed(const QString &option, const QString &userText, QTime now, QDate today);

// Seconds since midnight, the seed of the clock.
double secondsSinceMidnight(QTime now);

} // namespace Tarvosk
