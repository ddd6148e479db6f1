#include "storage/characterfile.h"

#include "rules/numerictext.h"
#include "sheet/sheetstyle.h"
#include "storage/settingkeys.h"
#include "storage/windows1252.h"

namespace Tarvosk::CharacterFile {

using namespace Qt::StringLiterals;

namespace {

// The number of an option line; a decimal comma reads as a point.
QString numberText(QString line)
{
    line.replace(u',', u'.');
    return QString::number(leadingNumber(line), 'g', 15);
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

QStringList optionBlock(const SheetStyle &style)
{
    const auto flag = [](bool on) { return on ? u" 1 "_s : u" 0 "_s; };
    const auto number = [](bool on) { return on ? u"1"_s : u"0"_s; };
    QStringList lines;
    lines.reserve(optionLineCount);
    for (const auto &[font, unsetSize] : {std::pair{&style.headline, u"18"_s}, std::pair{&style.labels, u"8.25"_s},
                                          std::pair{&style.values, u"8.25"_s}}) {
        lines << flag(font->bold) << flag(font->italic) << flag(font->strikeOut) << flag(font->underline)
              << (font->size > 0 ? QString::number(font->size, 'g', 15) : unsetSize)
              << (font->name.isEmpty() ? Settings::FontNameDefault.toString() : font->name);
    }
    lines << number(style.landscape) << number(style.rulesOn) << number(style.framesOn);
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

std::optional<Contents> read(const QString &path, FileError *error)
{
    QByteArray bytes;
    if (std::optional<FileError> failure = readFileWhole(path, largestFile, bytes)) {
        if (error)
            *error = std::move(*failure);
        return std::nullopt;
    }
    std::optional<Contents> contents = decode(bytes);
    if (!contents && error)
        *error = {path, u"Sie ist keine Charakterdatei."_s};
    return contents;
}

std::optional<FileError> write(const QString &path, const QByteArray &bytes, const WriteOptions &options)
{
    return writeFileWhole(path, bytes, options);
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
