#include "shell/commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace Tarvosk {

namespace {

const QString version = QStringLiteral(TARVOSK_VERSION);

// One option of the program; each is one row of the help.
struct OptionRow
{
    QStringList names;
    // The value the option takes, as the help names it; empty for none.
    QString valueName;
    QString description;
    CommandLine::Action action;
};

const QList<OptionRow> &optionRows()
{
    static const QList<OptionRow> rows{
        {{u"h"_s, u"help"_s}, {}, u"zeigt diese Hilfe"_s, CommandLine::Action::ShowHelp},
        {{u"v"_s, u"version"_s}, {}, u"zeigt die Version"_s, CommandLine::Action::ShowVersion},
    };
    return rows;
}

// The commands without a window: each takes the rest of the line.
struct BatchCommand
{
    QString option;
    QString usage;
    QString description;
    CommandLine::Action action;
    QString extension;
};

// One per export format, then the roller.
QList<BatchCommand> batchCommands(const QList<ExportCommand> &exports)
{
    QList<BatchCommand> commands;
    for (const ExportCommand &format : exports) {
        const QString option = u"--"_s + format.extension.mid(1);
        commands.append({option, u"%1 CHARAKTER.tvk AUSGABE%2"_s.arg(option, format.extension), format.description,
                         CommandLine::Action::Export, format.extension});
    }
    commands.append({u"--roll"_s, u"--roll KLASSE [--female] [--seed N] [--count N] [--quirk] ZIEL"_s,
                     u"würfelt fertige Charaktere der Klasse aus und speichert sie;\n"
                     u"ZIEL ist eine Datei für einen, ein Ordner für mehrere"_s,
                     CommandLine::Action::RollCharacters, {}});
    return commands;
}

QString spelled(const QString &name)
{
    return (name.size() == 1 ? u"-"_s : u"--"_s) + name;
}

QString helpText(const QList<ExportCommand> &exports)
{
    QList<std::pair<QString, QString>> rows;
    for (const OptionRow &row : optionRows()) {
        QStringList names;
        for (const QString &name : row.names)
            names << spelled(name);
        QString left = names.join(u", "_s);
        if (!row.valueName.isEmpty())
            left += u' ' + row.valueName;
        rows.append({left, row.description});
    }
    rows.append({u"--"_s, u"beendet die Optionen; was folgt, ist der Dateiname,\n"
                          u"auch wenn er mit »-« beginnt"_s});
    qsizetype width = 0;
    for (const auto &row : rows)
        width = std::max(width, row.first.size());
    width += 3;

    QString text = u"Aufruf: tarvosk [Datei.tvk]\n"
                   u"        tarvosk Option\n"
                   u"        tarvosk Befehl ...\n"
                   u"\n"
                   u"Valdris 1880 Character Creator: erstellt Charaktere für Valdris 1880.\n"
                   u"Mit einer Datei.tvk öffnet das Programm diesen Charakter; läuft es schon,\n"
                   u"übernimmt sein Fenster die Datei. Ein Dateiname mit Leerzeichen braucht\n"
                   u"keine Anführungszeichen; Anführungszeichen werden entfernt.\n"
                   u"\n"
                   u"Optionen (vor dem Dateinamen):\n"_s;
    const QString indent(2 + width, u' ');
    for (const auto &[left, description] : rows) {
        QString described = description;
        described.replace(u'\n', u'\n' + indent);
        text += u"  "_s + left.leftJustified(width) + described + u'\n';
    }
    text += u"\nBefehle ohne Fenster (brauchen keinen Bildschirm; bei einem Fehler\n"
            u"eine Zeile auf der Standardfehlerausgabe und der Rückgabewert 1):\n"_s;
    for (const BatchCommand &command : batchCommands(exports)) {
        QString described = command.description;
        described.replace(u'\n', u"\n      "_s);
        text += u"  "_s + command.usage + u"\n      "_s + described + u'\n';
    }
    return text;
}

CommandLine refusal(const QString &reason)
{
    return {CommandLine::Action::Refuse, {}, u"tarvosk: "_s + reason + u" Mit --help werden alle Optionen gezeigt.\n"_s, {}, {}};
}

// The option words as typed, up to the first word of the path.
QStringList optionWords(const QStringList &arguments)
{
    QStringList words;
    for (const QString &argument : arguments.mid(1)) {
        if (argument == u"--" || !argument.startsWith(u'-'))
            break;
        if (argument != u"-") // a lone dash is a word of the path
            words << argument;
    }
    return words;
}

// "--name=value" and "-name" alike give "name".
QString bareName(const QString &word)
{
    const QString typed = word.section(u'=', 0, 0);
    qsizetype dashes = 0;
    while (dashes < typed.size() && typed[dashes] == u'-')
        ++dashes;
    return typed.mid(dashes);
}

// The parser's own error texts are English: each refusal gets its German line here.
CommandLine refusalOf(const QCommandLineParser &parser, const QStringList &arguments)
{
    const QStringList words = optionWords(arguments);
    const QStringList unknown = parser.unknownOptionNames();
    if (!unknown.isEmpty()) {
        const auto it = std::find_if(words.begin(), words.end(),
                                     [&](const QString &word) { return bareName(word) == unknown.first(); });
        const QString typed = it != words.end() ? it->section(u'=', 0, 0) : spelled(unknown.first());
        return refusal(u"Unbekannte Option »%1«."_s.arg(typed));
    }
    const auto withValue = std::find_if(words.begin(), words.end(), [](const QString &word) { return word.contains(u'='); });
    if (withValue != words.end())
        return refusal(u"Die Option »%1« nimmt keinen Wert."_s.arg(withValue->section(u'=', 0, 0)));
    return refusal(u"Der Aufruf ist ungültig."_s);
}

} // namespace

CommandLine parseCommandLine(const QStringList &arguments, const QList<ExportCommand> &exports)
{
    // The parser wants the program's name first, even when the system gave none.
    const QStringList withProgram = arguments.isEmpty() ? QStringList{u"tarvosk"_s} : arguments;
    if (withProgram.size() > 1) {
        for (const BatchCommand &command : batchCommands(exports)) {
            if (withProgram[1] == command.option)
                return {command.action, {}, {}, withProgram.mid(2), command.extension};
        }
    }
    QCommandLineParser parser;
    // "-foo" is one unknown option, not three.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    // The whole rest of the line is the path, whatever its words look like.
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    for (const OptionRow &row : optionRows())
        parser.addOption(QCommandLineOption(row.names, row.description, row.valueName));
    if (!parser.parse(withProgram))
        return refusalOf(parser, withProgram);

    for (const OptionRow &row : optionRows()) {
        if (!parser.isSet(row.names.first()))
            continue;
        switch (row.action) {
        case CommandLine::Action::ShowHelp:
            return {row.action, {}, helpText(exports), {}};
        case CommandLine::Action::ShowVersion:
            return {row.action, {}, u"Valdris 1880 Character Creator (tarvosk), Version %1\n"_s.arg(version), {}};
        default:
            break;
        }
    }

    QString path = parser.positionalArguments().join(u' ');
    path.remove(u'"');
    return {CommandLine::Action::RunWindows, path, {}, {}};
}

} // namespace Tarvosk
