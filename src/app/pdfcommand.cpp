#include "app/batchcommands.h"

#include "app/batchinput.h"
#include "print/printsetup.h"
#include "print/sheetprintjob.h"
#include "storage/settingssnapshot.h"
#include "storage/settingsstore.h"

#include <QFileInfo>
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

int runPdfCommand(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return refuseCommand(u"--pdf braucht genau zwei Dateien: CHARAKTER.tvk AUSGABE.pdf"_s);
    const QString &input = arguments[0];
    const QString &output = arguments[1];
    if (isSameFile(input, output))
        return refuseCommand(u"Die PDF-Datei würde den Charakter »%1« überschreiben."_s.arg(input));

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

    SettingsSnapshot snapshot(SettingsStore().fileName());
    QString error;
    const std::optional<CharacterSheet> sheet = readCharacterForCommand(input, snapshot.settings(), error);
    if (!sheet)
        return refuseCommand(error);
    if (!SheetPrintJob::writePdf(output, *sheet, PrintSetup::fromSettings(snapshot.settings())))
        return refuseCommand(u"Die PDF-Datei »%1« lässt sich nicht schreiben."_s.arg(output));
    return 0;
}

} // namespace Tarvosk
