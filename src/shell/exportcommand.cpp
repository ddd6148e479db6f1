#include "shell/batchcommands.h"

#include "shell/batchinput.h"
#include "sheet/sheetformat.h"
#include "storage/characterfile.h"
#include "storage/filewrite.h"
#include "storage/settingkeys.h"
#include "storage/sheetstylereader.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QScopeGuard>

#include <cstdio>
#include <memory>

using namespace Qt::StringLiterals;

namespace Tarvosk {

namespace {

// Qt's own notes (a missing runtime folder, a font substituted) are not for
// the user of a command, whose only word is its one line on failure.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fputs((message + u'\n').toLocal8Bit().constData(), stderr);
}

} // namespace

int runExportCommand(const SheetFormat &format, const SettingsStore &settings, const QStringList &arguments)
{
    const QString option = u"--"_s + format.extension().mid(1);
    if (arguments.size() != 2)
        return refuseCommand(u"%1 braucht genau zwei Dateien: CHARAKTER.tvk AUSGABE%2"_s.arg(option, format.extension()));
    const QString &input = arguments[0];
    const QString &output = arguments[1];
    if (isSameFile(input, output))
        return refuseCommand(u"Die Ausgabe würde den Charakter »%1« überschreiben."_s.arg(input));

    const QtMessageHandler previousHandler = qInstallMessageHandler(quiet);
    const auto restore = qScopeGuard([previousHandler] { qInstallMessageHandler(previousHandler); });
    // Fonts need a GUI application; "offscreen" needs no display, whatever
    // platform the environment names.
    int argc = 3;
    char program[] = "tarvosk";
    char platformOption[] = "-platform";
    char platform[] = "offscreen";
    char *argv[] = {program, platformOption, platform, nullptr};
    std::unique_ptr<QGuiApplication> application;
    if (!QCoreApplication::instance())
        application = std::make_unique<QGuiApplication>(argc, argv);

    FileError readError;
    const std::optional<CharacterFile::Contents> contents = CharacterFile::read(input, &readError);
    if (!contents)
        return refuseCommand(readError.readSentence());
    // A file that carries its fonts is drawn with them; the settings stay as they are.
    const bool fileStyle = settings.readNumber(Settings::SaveFont) == 1;
    const SheetStyle style = fileStyle ? readSheetStyle(settings, contents->options) : readSheetStyle(settings);

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString reason;
    if (!format.write(contents->sheet, style, buffer, reason))
        return refuseCommand(reason);
    if (const std::optional<FileError> error = writeFileWhole(output, bytes))
        return refuseCommand(error->writeSentence());
    return 0;
}

} // namespace Tarvosk
