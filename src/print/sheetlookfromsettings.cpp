#include "print/sheetlookfromsettings.h"

#include "storage/settingkeys.h"

namespace Tarvosk {

namespace {

QFont fontOfGroup(const SettingsStore &settings, QStringView group, double defaultSize)
{
    const QString name = settings.read(group, Settings::FontName);
    QFont font(name.isEmpty() ? Settings::FontNameDefault.toString() : name);
    const double size = settings.readSize(group, Settings::FontSize, defaultSize);
    font.setPointSizeF(size > 0 ? size : defaultSize);
    font.setBold(settings.readFlag(group, Settings::FontBold, false));
    font.setItalic(settings.readFlag(group, Settings::FontItalic, false));
    font.setStrikeOut(settings.readFlag(group, Settings::FontStrikethru, false));
    font.setUnderline(settings.readFlag(group, Settings::FontUnderline, false));
    return font;
}

} // namespace

SheetLook sheetLookFromSettings(const SettingsStore &settings)
{
    SheetLook look = SheetLook::standard();
    look.headline = fontOfGroup(settings, Settings::HeadlineFont, Settings::HeadlineSizeDefault);
    look.labels = fontOfGroup(settings, Settings::LabelsFont, Settings::TextSizeForDrawing);
    look.values = fontOfGroup(settings, Settings::ValuesFont, Settings::TextSizeForDrawing);
    look.framesOn = settings.readNumber(Settings::Line1On) == 1;
    look.rulesOn = settings.readNumber(Settings::Line0On) == 1;
    return look;
}

} // namespace Tarvosk
