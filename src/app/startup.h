#pragma once

#include <QString>
#include <QStringList>

namespace Tarvosk {

// The path named on the command line: the arguments after the program,
// joined by blanks, with every double quote removed.
QString commandLinePath(const QStringList &arguments);

// The whole program: hands a path to an instance already running, or opens the main window.
int runTarvosk(int argc, char **argv);

} // namespace Tarvosk
