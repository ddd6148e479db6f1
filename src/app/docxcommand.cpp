#include "app/batchcommands.h"

#include <cstdio>

namespace Tarvosk {

int runDocxCommand(const QStringList &arguments)
{
    Q_UNUSED(arguments);
    std::fputs("tarvosk: Dieser Befehl ist noch nicht verfügbar.\n", stderr);
    return 1;
}

} // namespace Tarvosk
