#pragma once

#include "sheet/charactersheet.h"
#include "storage/filewrite.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>
#include <optional>

namespace Tarvosk {

class SettingsStore;
struct SheetStyle;

// A character file (".tvk"): the sheet's texts line by line in a fixed order,
// then the user's font and printer options. Windows-1252, CR LF, 339 lines:
// 92 captions, 197 values, 29 equipment lines and 21 option lines. The
// position of a line alone gives its meaning.
namespace CharacterFile {

inline constexpr int storedCaptionCount = 92;
inline constexpr int sheetLineCount = storedCaptionCount + CharacterSheet::valueCount
                                      + CharacterSheet::equipmentLineCount; // 318
inline constexpr int optionLineCount = 21;
inline constexpr int lineCount = sheetLineCount + optionLineCount; // 339
// A line this long is no sheet text: such a file is refused whole.
inline constexpr int longestLine = 65535;
// Larger files are refused before they are read.
inline constexpr qint64 largestFile = 16 * 1024 * 1024;

// What one option line holds, and how it is written and read.
enum class OptionKind { Flag, Size, Number, FontName };

struct OptionSlot
{
    QStringView section;
    QStringView key;
    OptionKind kind;
    // Written when the store holds no text for the key (flags: false).
    QStringView fallback;
};

// The 21 option lines in file order.
const std::array<OptionSlot, optionLineCount> &optionSlots();

// One option line as read: the setting it belongs to and the text the
// settings store is to hold ("True"/"False" for a flag, a number as text, a
// font name as written).
struct OptionValue
{
    OptionSlot slot;
    QString text;
};

struct Contents
{
    CharacterSheet sheet;
    // The option lines the file has, in file order: 0 to 21 of them.
    QList<OptionValue> options;
    // Lines after the option block, which the program itself never reads.
    QStringList trailingLines;
};

// The 21 option lines of a style: flags " 1 "/" 0 ", sizes with a point (an
// unset size as "18" or "8.25"), the font name ("Times New Roman" for none),
// orientation and lines as 1 or 0.
QStringList optionBlock(const SheetStyle &style);

// The file's bytes: the sheet's texts, the option block, and any lines after
// it. The same sheet and options always give the same bytes.
QByteArray encode(const CharacterSheet &sheet, const QStringList &optionBlock, const QStringList &trailingLines = {});

// Nothing when the bytes are no character file: fewer than 318 lines, a NUL
// byte, or a line longer than longestLine. Lines may end in CR LF, LF or CR.
std::optional<Contents> decode(const QByteArray &bytes);

// The file at the path, read whole; nothing, with the reason in `error`, when
// it cannot be read or is no character file (a folder, too large, see decode).
std::optional<Contents> read(const QString &path, FileError *error = nullptr);

// Writes the bytes so that a failure leaves the old file as it was; the reason on failure.
std::optional<FileError> write(const QString &path, const QByteArray &bytes, const WriteOptions &options = {});

// ParseFlagLine: false for "False" and "Falsch" (exactly so) and for any
// text with a "0" in it; true otherwise, the empty line too.
bool ParseFlagLine(const QString &line);

// Where the settings' "SaveFont" is 1, the file's options are taken over:
// stored in the settings, a font name through the font check (CheckFontName
// with the installed fonts, where there is a screen); without a check, names
// are stored as written. Otherwise the settings stay as they are.
void takeOverOptions(const QList<OptionValue> &options, SettingsStore &settings,
                     const std::function<QString(const QString &name)> &checkFontName);

} // namespace CharacterFile

} // namespace Tarvosk
