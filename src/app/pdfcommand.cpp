#include "app/batchcommands.h"

#include <cstdio>

namespace Tarvosk {

int runPdfCommand(const QStringList &arguments)
{
    Q_UNUSED(arguments);
    std::fputs("tarvosk: Dieser Befehl ist noch nicht verfügbar.\n", stderr);
    return 1;
}

} // namespace Tarvosk
