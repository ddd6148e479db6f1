#pragma once

#include "sheet/sheetpainter.h"

namespace Tarvosk {

class SettingsStore;

// The look of the sheet as the settings give it: the fonts of "Headline",
// "Labels" and "Values", and whether frames ("Printer"/"Line1On") and ruling
// lines ("Line0On") show. On screen the lines keep their page widths.
SheetLook sheetLookFromSettings(const SettingsStore &settings);

} // namespace Tarvosk
