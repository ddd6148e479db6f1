#pragma once

#include "sheet/sheetpainter.h"

#include <QPageLayout>
#include <QPageSize>

#include <optional>

namespace Tarvosk {

class SettingsStore;
struct SheetStyle;

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

    // The style as the settings give it, or the style given (a file's own
    // look), with the printer options of the settings.
    static PrintSetup fromSettings(const SettingsStore &settings);
    static PrintSetup fromSettings(const SettingsStore &settings, const SheetStyle &style);
};

// The paper the settings keep ("Printer"/"PaperSize", a page size key such as
// "A4"); none for no key or one Qt does not know.
std::optional<QPageSize> paperFromSettings(const SettingsStore &settings);

// The dots per inch of a "Quality" setting. The printer's quality is the
// negated setting: -1 draft, -2 low, -3 medium, -4 high, or, when positive,
// the dots per inch themselves.
int printResolution(int quality);

} // namespace Tarvosk
