#include "export/docxfonts.h"

#include "storage/settingkeys.h"
#include "storage/settingsstore.h"

#include <algorithm>

namespace Tarvosk {

namespace {

// The sizes a word processor accepts.
constexpr int smallestPoints = 1;
constexpr int largestPoints = 1638;

} // namespace

DocxFont docxFontFromSettings(const SettingsStore &settings, QStringView section)
{
    DocxFont font;
    font.name = settings.read(section, Settings::FontName, Settings::FontNameDefault).trimmed();
    if (font.name.isEmpty())
        font.name = Settings::FontNameDefault.toString();
    int points = settings.readNumber(section, Settings::FontSize, 0);
    if (points <= 0)
        points = section.contains(u"head", Qt::CaseInsensitive) ? 18 : 8;
    font.points = std::clamp(points, smallestPoints, largestPoints);
    font.bold = settings.readFlag(section, Settings::FontBold, false);
    font.italic = settings.readFlag(section, Settings::FontItalic, false);
    font.underline = settings.readFlag(section, Settings::FontUnderline, false);
    return font;
}

DocxFonts docxFontsFromSettings(const SettingsStore &settings)
{
    return {docxFontFromSettings(settings, Settings::HeadlineFont),
            docxFontFromSettings(settings, Settings::LabelsFont),
            docxFontFromSettings(settings, Settings::ValuesFont)};
}

} // namespace Tarvosk
