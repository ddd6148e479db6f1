#include "app/batchcommands.h"
#include "app/commandline.h"
#include "app/startup.h"

#include <cstdio>

using namespace Tarvosk;

int main(int argc, char **argv)
{
    // The arguments are read before any application object exists, so that
    // --help and --version need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine command = parseCommandLine(arguments);

    switch (command.action) {
    case CommandLine::Action::ShowHelp:
    case CommandLine::Action::ShowVersion:
        std::fputs(command.text.toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Action::Refuse:
        std::fputs(command.text.toUtf8().constData(), stderr);
        return 2;
    case CommandLine::Action::WritePdf:
        return runPdfCommand(command.arguments);
    case CommandLine::Action::WriteDocx:
        return runDocxCommand(command.arguments);
    case CommandLine::Action::RollCharacters:
        return runRollCommand(command.arguments);
    case CommandLine::Action::RunWindows:
        break;
    }
    static char fallbackName[] = "tarvosk";
    return runTarvosk(argc > 0 ? argv[0] : fallbackName, command.path);
}
