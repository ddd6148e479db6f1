#include "app/batchcommands.h"

#include "app/batchinput.h"
#include "export/docxexport.h"
#include "storage/settingssnapshot.h"
#include "storage/settingsstore.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

int runDocxCommand(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return refuseCommand(u"--docx braucht zwei Dateien: den Charakter (.tvk) und das Word-Dokument (.docx)."_s);
    if (isSameFile(arguments[0], arguments[1]))
        return refuseCommand(u"Das Word-Dokument würde den Charakter »%1« überschreiben."_s.arg(arguments[0]));

    // The character file's options go into a copy; the user's settings stay as they are.
    SettingsSnapshot snapshot(SettingsStore().fileName());
    QString error;
    const std::optional<CharacterSheet> sheet = readCharacterForCommand(arguments[0], snapshot.settings(), error);
    if (!sheet)
        return refuseCommand(error);
    if (!exportSheetDocx(*sheet, snapshot.settings(), arguments[1], &error))
        return refuseCommand(error);
    return 0;
}

} // namespace Tarvosk
