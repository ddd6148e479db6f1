#pragma once

#include "sheet/sheetpainter.h"

#include <QPageLayout>
#include <QPageSize>

#include <optional>

namespace Tarvosk {

class SettingsStore;

// How the sheet goes on paper, read from the settings: the three fonts, the
// frames and ruling lines with the "Line0"/"Line1" widths, the orientation
// ("Printer"/"Orientation" 1 is landscape), the resolution that
// "Printer"/"Quality" asks for and the printer's paper ("PaperSize").
struct PrintSetup
{
    SheetLook look = SheetLook::standard();
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    int resolution = 300; // dots per inch
    // For a printer; none keeps the printer's own. A PDF is always A4.
    std::optional<QPageSize> paper;

    static PrintSetup fromSettings(const SettingsStore &settings);
};

// The paper the settings keep ("Printer"/"PaperSize", a page size key such as
// "A4"); none for no key or one Qt does not know.
std::optional<QPageSize> paperFromSettings(const SettingsStore &settings);

// The dots per inch of a "Quality" setting. The printer's quality is the
// negated setting: -1 draft, -2 low, -3 medium, -4 high, or, when positive,
// the dots per inch themselves.
int printResolution(int quality);

} // namespace Tarvosk
