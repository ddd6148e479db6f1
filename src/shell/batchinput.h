#pragma once

#include <QString>

namespace Tarvosk {

// A command's failure: "tarvosk: " and the reason as one line on standard
// error; gives the exit code 1.
int refuseCommand(const QString &reason);

// True when both paths name one existing file: a command's output must never replace its character.
bool isSameFile(const QString &first, const QString &second);

} // namespace Tarvosk
