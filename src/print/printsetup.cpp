#include "print/printsetup.h"

#include "print/sheetlookfromstyle.h"
#include "sheet/sheetstyle.h"
#include "storage/settingkeys.h"
#include "storage/sheetstylereader.h"

#include <algorithm>

namespace Tarvosk {

namespace {

// Far beyond the four weights the settings dialog offers; wider would cover the page.
constexpr double thickestLine = 16;

// Widths count printer dots at the job's resolution; 0 (and below) is the
// device's thinnest line.
int lineWidth(const SettingsStore &settings, const SettingKey &key)
{
    return qRound(std::clamp(settings.readSize(key.section, key.key, key.fallback.toDouble()), 0.0, thickestLine));
}

} // namespace

PrintSetup PrintSetup::fromSettings(const SettingsStore &settings)
{
    return fromSettings(settings, readSheetStyle(settings));
}

PrintSetup PrintSetup::fromSettings(const SettingsStore &settings, const SheetStyle &style)
{
    PrintSetup setup;
    setup.look = sheetLookFromStyle(style);
    setup.look.thinWidth = lineWidth(settings, Settings::Line0);
    setup.look.thickWidth = lineWidth(settings, Settings::Line1);
    setup.orientation = style.landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    setup.resolution = printResolution(settings.readNumber(Settings::Quality));
    setup.paper = paperFromSettings(settings);
    return setup;
}

std::optional<QPageSize> paperFromSettings(const SettingsStore &settings)
{
    const QString key = settings.read(Settings::PaperSize);
    for (int id = 0; id <= int(QPageSize::LastPageSize); ++id) {
        const auto size = QPageSize::PageSizeId(id);
        if (!key.isEmpty() && size != QPageSize::Custom && QPageSize::key(size) == key)
            return QPageSize(size);
    }
    return std::nullopt;
}

int printResolution(int quality)
{
    constexpr int named[] = {150, 300, 600, 1200}; // draft, low, medium, high
    const int printerQuality = -quality;
    if (printerQuality >= -4 && printerQuality <= -1)
        return named[-printerQuality - 1];
    if (printerQuality > 0)
        return std::clamp(printerQuality, 72, 2400);
    return 300;
}

} // namespace Tarvosk
