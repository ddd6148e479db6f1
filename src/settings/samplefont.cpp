#include "settings/samplefont.h"

#include "storage/settingkeys.h"
#include "storage/settingsstore.h"

namespace Tarvosk {

namespace {

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

SampleFont SampleFont::read(const SettingsStore &settings, QStringView section, double defaultSize)
{
    SampleFont font;
    font.face = settings.read(section, Settings::FontName, Settings::FontNameDefault);
    font.size = settings.readSize(section, Settings::FontSize, defaultSize);
    font.bold = settings.readFlag(section, Settings::FontBold, false);
    font.italic = settings.readFlag(section, Settings::FontItalic, false);
    font.strikethru = settings.readFlag(section, Settings::FontStrikethru, false);
    font.underline = settings.readFlag(section, Settings::FontUnderline, false);
    return font;
}

SampleFont SampleFont::standard(double size)
{
    SampleFont font;
    font.face = Settings::FontNameDefault.toString();
    font.size = size;
    return font;
}

void SampleFont::write(SettingsStore &settings, QStringView section) const
{
    settings.write(section, Settings::FontBold, flagText(bold));
    settings.write(section, Settings::FontItalic, flagText(italic));
    settings.write(section, Settings::FontStrikethru, flagText(strikethru));
    settings.write(section, Settings::FontUnderline, flagText(underline));
    settings.write(section, Settings::FontSize, QString::number(double(float(size))));
    settings.write(section, Settings::FontName, face);
}

QFont SampleFont::toFont() const
{
    QFont font(face);
    font.setPointSizeF(size > 0 ? size : 6);
    font.setBold(bold);
    font.setItalic(italic);
    font.setStrikeOut(strikethru);
    font.setUnderline(underline);
    return font;
}

} // namespace Tarvosk
