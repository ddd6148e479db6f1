#pragma once

#include <QStringList>

namespace Tarvosk {

// The commands without a window. Each gets the words after its option, runs
// without a display, and returns the program's exit code: 0 when done, 1
// after one German line on standard error.
int runPdfCommand(const QStringList &arguments);
int runDocxCommand(const QStringList &arguments);
int runRollCommand(const QStringList &arguments);

} // namespace Tarvosk
