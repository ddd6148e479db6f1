#pragma once

#include <QStringList>

namespace Tarvosk {

// The fixed choice lists of the main window, in list order.
const QStringList &characterClasses();
const QStringList &sexes();
const QStringList &nationalities();
const QStringList &eyeColours();
const QStringList &hairColours();
const QStringList &races();
const QStringList &religions();
const QStringList &habits();
const QStringList &months();
// "1" to "31".
const QStringList &birthDays();

} // namespace Tarvosk
