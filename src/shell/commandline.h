#pragma once

#include <QString>
#include <QStringList>

namespace Tarvosk {

// What one start of the program was asked to do, read from its arguments
// before any application object exists.
struct CommandLine
{
    enum class Action { RunWindows, ShowHelp, ShowVersion, Refuse, Export, RollCharacters };

    Action action = Action::RunWindows;
    // RunWindows: the character file named, empty for none.
    QString path;
    // ShowHelp, ShowVersion: the text for standard output; Refuse: the one
    // line for standard error. Each ends with a line break.
    QString text;
    // The commands without a window: the words after the command's option, as typed.
    QStringList arguments;
    // Export: the extension of the format to write (".pdf").
    QString exportExtension{};
};

// A format the sheet can be written in without a window: "--pdf" for ".pdf".
struct ExportCommand
{
    QString extension;   // ".pdf"
    QString description; // its line in --help
};

// Reads the arguments, the program's own name first. A command without a
// window (one per export format, "--pdf", "--docx", and "--roll") is the
// first word and takes all that follow. Otherwise options come before the path; the first other word and everything after it (or everything after
// "--") is the path, its words joined by blanks and every double quote removed.
CommandLine parseCommandLine(const QStringList &arguments, const QList<ExportCommand> &exports = {});

} // namespace Tarvosk
