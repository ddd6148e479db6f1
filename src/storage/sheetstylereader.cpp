#include "storage/sheetstylereader.h"

#include "rules/numerictext.h"
#include "storage/settingkeys.h"

#include <QHash>

#include <cmath>
#include <functional>

namespace Tarvosk {

using namespace Qt::StringLiterals;

namespace {

// The stored text of a key; empty when there is none.
using StyleSource = std::function<QString(QStringView section, QStringView key)>;

int numberOf(const QString &text, const SettingKey &key)
{
    // Text that is no number at all counts as missing, as every settings read does.
    const std::optional<double> value = parseLeadingNumber(text);
    if (!value || !std::isfinite(*value))
        return int(leadingNumber(key.fallback));
    return *value > 0 ? int(std::min(*value, 2147483647.0)) : int(std::max(*value, -2147483647.0));
}

FontStyle fontOf(const StyleSource &source, QStringView section, double largest)
{
    FontStyle font;
    font.name = source(section, Settings::FontName).trimmed();
    QString size = source(section, Settings::FontSize);
    size.replace(u',', u'.');
    font.size = SheetStyle::clampedSize(parseLeadingNumber(size).value_or(0), largest);
    font.bold = flagFromText(source(section, Settings::FontBold), false);
    font.italic = flagFromText(source(section, Settings::FontItalic), false);
    font.strikeOut = flagFromText(source(section, Settings::FontStrikethru), false);
    font.underline = flagFromText(source(section, Settings::FontUnderline), false);
    return font;
}

SheetStyle styleOf(const StyleSource &source)
{
    SheetStyle style;
    style.headline = fontOf(source, Settings::HeadlineFont, SheetStyle::largestHeadlineSize);
    style.labels = fontOf(source, Settings::LabelsFont, SheetStyle::largestTextSize);
    style.values = fontOf(source, Settings::ValuesFont, SheetStyle::largestTextSize);
    const auto number = [&source](const SettingKey &key) { return numberOf(source(key.section, key.key), key); };
    style.landscape = number(Settings::Orientation) == 1;
    style.rulesOn = number(Settings::Line0On) == 1;
    style.framesOn = number(Settings::Line1On) == 1;
    return style;
}

QString keyOf(QStringView section, QStringView key)
{
    return section.toString().toCaseFolded() + u'/' + key.toString();
}

} // namespace

SheetStyle readSheetStyle(const SettingsStore &settings)
{
    return styleOf([&settings](QStringView section, QStringView key) { return settings.read(section, key); });
}

SheetStyle readSheetStyle(const SettingsStore &settings, const QList<CharacterFile::OptionValue> &fileOptions)
{
    QHash<QString, QString> lines;
    for (const CharacterFile::OptionValue &option : fileOptions)
        lines.insert(keyOf(option.slot.section, option.slot.key), option.text);
    return styleOf([&settings, &lines](QStringView section, QStringView key) {
        const auto line = lines.constFind(keyOf(section, key));
        return line != lines.cend() ? *line : settings.read(section, key);
    });
}

} // namespace Tarvosk
