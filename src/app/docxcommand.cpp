#include "app/batchcommands.h"

#include "app/batchinput.h"
#include "export/docxexport.h"
#include "storage/settingssnapshot.h"
#include "storage/settingsstore.h"

#include <cstdio>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

int refuse(const QString &reason)
{
    std::fputs((u"tarvosk: "_s + reason + u'\n').toUtf8().constData(), stderr);
    return 1;
}

} // namespace

int runDocxCommand(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return refuse(u"--docx braucht zwei Dateien: den Charakter (.tvk) und das Word-Dokument (.docx)."_s);
    if (isSameFile(arguments[0], arguments[1]))
        return refuse(u"Das Word-Dokument würde den Charakter »%1« überschreiben."_s.arg(arguments[0]));

    // The character file's options go into a copy; the user's settings stay as they are.
    SettingsSnapshot snapshot(SettingsStore().fileName());
    QString error;
    const std::optional<CharacterSheet> sheet = readCharacterForCommand(arguments[0], snapshot.settings(), error);
    if (!sheet)
        return refuse(error);
    if (!exportSheetDocx(*sheet, snapshot.settings(), arguments[1], &error))
        return refuse(error);
    return 0;
}

} // namespace Tarvosk
