#include "storage/characterfile.h"

#include "rules/numerictext.h"
#include "storage/settingkeys.h"
#include "storage/windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace Tarvosk::CharacterFile {

using namespace Qt::StringLiterals;

namespace {

// The number of an option line; a decimal comma reads as a point.
QString numberText(QString line)
{
    line.replace(u',', u'.');
    return QString::number(leadingNumber(line), 'g', 15);
}

QString optionText(const OptionSlot &slot, const SettingsStore &settings)
{
    switch (slot.kind) {
    case OptionKind::Flag:
        return settings.readFlag(slot.section, slot.key, false) ? u" 1 "_s : u" 0 "_s;
    case OptionKind::Size:
        // Written with a point, whatever the store holds; the loader reads both.
        return settings.read(slot.section, slot.key, slot.fallback).replace(u',', u'.');
    case OptionKind::Number:
    case OptionKind::FontName:
        break;
    }
    return settings.read(slot.section, slot.key, slot.fallback);
}

void appendLine(QByteArray &bytes, QStringView text)
{
    // A line break inside a text would shift every line after it.
    appendWindows1252(bytes, text, Append::Line);
}

// The file's lines; nothing for a NUL byte or an overlong line.
std::optional<QList<QByteArrayView>> splitLines(const QByteArray &bytes)
{
    if (bytes.contains('\0'))
        return std::nullopt;
    QList<QByteArrayView> lines;
    lines.reserve(lineCount + 1);
    const char *data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = data[i];
        if (c != '\r' && c != '\n')
            continue;
        if (i - start > longestLine)
            return std::nullopt;
        lines.append(QByteArrayView(data + start, i - start));
        if (c == '\r' && i + 1 < size && data[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size) {
        if (size - start > longestLine)
            return std::nullopt;
        lines.append(QByteArrayView(data + start, size - start));
    }
    return lines;
}

} // namespace

const std::array<OptionSlot, optionLineCount> &optionSlots()
{
    using Settings::FontBold, Settings::FontItalic, Settings::FontStrikethru, Settings::FontUnderline,
        Settings::FontSize, Settings::FontName;
    static const auto fontSlots = [](QStringView section, QStringView size) {
        return std::array<OptionSlot, 6>{{
            {section, FontBold, OptionKind::Flag, u"0"},
            {section, FontItalic, OptionKind::Flag, u"0"},
            {section, FontStrikethru, OptionKind::Flag, u"0"},
            {section, FontUnderline, OptionKind::Flag, u"0"},
            {section, FontSize, OptionKind::Size, size},
            {section, FontName, OptionKind::FontName, Settings::FontNameDefault},
        }};
    };
    static const std::array<OptionSlot, optionLineCount> table = [&] {
        std::array<OptionSlot, optionLineCount> all{};
        std::size_t next = 0;
        for (const auto &[section, size] : {std::pair{Settings::HeadlineFont, QStringView(u"18")},
                                            std::pair{Settings::LabelsFont, QStringView(u"8.25")},
                                            std::pair{Settings::ValuesFont, QStringView(u"8.25")}}) {
            for (const OptionSlot &slot : fontSlots(section, size))
                all[next++] = slot;
        }
        for (const SettingKey &key : {Settings::Orientation, Settings::Line0On, Settings::Line1On})
            all[next++] = {key.section, key.key, OptionKind::Number, key.fallback};
        return all;
    }();
    return table;
}

QStringList optionBlock(const SettingsStore &settings)
{
    QStringList lines;
    lines.reserve(optionLineCount);
    for (const OptionSlot &slot : optionSlots())
        lines << optionText(slot, settings);
    return lines;
}

QByteArray encode(const CharacterSheet &sheet, const QStringList &optionBlock, const QStringList &trailingLines)
{
    QByteArray bytes;
    bytes.reserve(8192);
    for (int i = 0; i < storedCaptionCount; ++i)
        appendLine(bytes, sheet.caption(i));
    for (const QString &value : sheet.values())
        appendLine(bytes, value);
    for (const QString &line : sheet.equipmentLines())
        appendLine(bytes, line);
    for (const QString &line : optionBlock)
        appendLine(bytes, line);
    for (const QString &line : trailingLines)
        appendLine(bytes, line);
    return bytes;
}

std::optional<Contents> decode(const QByteArray &bytes)
{
    const std::optional<QList<QByteArrayView>> lines = splitLines(bytes);
    if (!lines || lines->size() < sheetLineCount)
        return std::nullopt;

    Contents contents;
    CharacterSheet &sheet = contents.sheet;
    int line = 0;
    const auto next = [&] { return decodeWindows1252((*lines)[line++]); };
    for (int i = 0; i < storedCaptionCount; ++i)
        sheet.setCaption(i, next());
    for (int i = 0; i < CharacterSheet::valueCount; ++i)
        sheet.setValue(i, next());
    for (int i = 0; i < CharacterSheet::equipmentLineCount; ++i)
        sheet.setEquipmentLine(i, next());

    for (const OptionSlot &slot : optionSlots()) {
        if (line >= lines->size())
            break;
        const QString text = next();
        switch (slot.kind) {
        case OptionKind::Flag:
            contents.options.append({slot, ParseFlagLine(text) ? u"True"_s : u"False"_s});
            break;
        case OptionKind::Size:
        case OptionKind::Number:
            contents.options.append({slot, numberText(text)});
            break;
        case OptionKind::FontName:
            contents.options.append({slot, text});
            break;
        }
    }
    while (line < lines->size())
        contents.trailingLines.append(next());
    return contents;
}

std::optional<Contents> read(const QString &path)
{
    QFile file(path);
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > largestFile || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(largestFile + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > largestFile)
        return std::nullopt;
    return decode(bytes);
}

bool write(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool ParseFlagLine(const QString &line)
{
    return line != u"False" && line != u"Falsch" && !line.contains(u'0');
}

void takeOverOptions(const QList<OptionValue> &options, SettingsStore &settings,
                     const std::function<QString(const QString &name)> &checkFontName)
{
    if (settings.readNumber(Settings::SaveFont) != 1)
        return;
    for (const OptionValue &option : options) {
        const bool checked = option.slot.kind == OptionKind::FontName && checkFontName;
        const QString text = checked ? checkFontName(option.text) : option.text;
        settings.write(option.slot.section, option.slot.key, text);
    }
}

} // namespace Tarvosk::CharacterFile
