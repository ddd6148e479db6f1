#include "formats/sheetformats.h"
#include "shell/batchcommands.h"
#include "shell/commandline.h"
#include "shell/startup.h"
#include "storage/settingsstore.h"

#include <cstdio>

using namespace Tarvosk;

int main(int argc, char **argv)
{
    // The arguments are read before any application object exists, so that
    // --help and --version need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    SettingsStore settings;
    const SheetFormats formats(settings);
    QList<ExportCommand> exports;
    for (const SheetFormat *format : formats.all()) {
        if (!format->commandDescription().isEmpty())
            exports.append({format->extension(), format->commandDescription()});
    }
    const CommandLine command = parseCommandLine(arguments, exports);

    switch (command.action) {
    case CommandLine::Action::ShowHelp:
    case CommandLine::Action::ShowVersion:
        std::fputs(command.text.toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Action::Refuse:
        std::fputs(command.text.toUtf8().constData(), stderr);
        return 2;
    case CommandLine::Action::Export:
        for (const SheetFormat *format : formats.all()) {
            if (format->extension() == command.exportExtension)
                return runExportCommand(*format, settings, command.arguments);
        }
        return 2;
    case CommandLine::Action::RollCharacters:
        return runRollCommand(command.arguments);
    case CommandLine::Action::RunWindows:
        break;
    }
    static char fallbackName[] = "tarvosk";
    return runTarvosk(argc > 0 ? argv[0] : fallbackName, command.path, settings, formats);
}
