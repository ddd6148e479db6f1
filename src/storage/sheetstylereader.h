#pragma once

#include "sheet/sheetstyle.h"
#include "storage/characterfile.h"

#include <QList>

namespace Tarvosk {

class SettingsStore;

// The page's look as the settings hold it: the three font groups,
// "Printer"/"Orientation", "Line0On" and "Line1On". Sizes outside the
// settings dialog's range are pulled into it.
SheetStyle readSheetStyle(const SettingsStore &settings);

// The same, with a character file's option lines laid over the settings, as
// a file that carries its fonts is drawn; the settings stay as they are. A
// file with part of an option block changes only the lines it has.
SheetStyle readSheetStyle(const SettingsStore &settings, const QList<CharacterFile::OptionValue> &fileOptions);

} // namespace Tarvosk
