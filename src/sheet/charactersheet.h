#pragma once

#include <QString>

#include <array>

namespace Tarvosk {

// The finished character as one page of texts: the captions (the sheet's
// labels, `Datenblatt`), the values beside them (`Werte`) with a tool tip each,
// and the equipment list with the overflow line behind it. The sheet is the
// character: it is shown, edited, printed, exported and stored as it is.
//
// Every index is checked: reading outside the sheet gives an empty text,
// writing outside it changes nothing. Captions, values and equipment lines
// are single lines: a CR, LF or TAB written into them becomes a blank.
class CharacterSheet
{
public:
    static constexpr int captionCount = 96;
    static constexpr int valueCount = 197;
    static constexpr int equipmentLineCount = 29;
    // The overflow line is addressed as the line after the last one, as the
    // equipment pane shifts it; it is never shown, stored, printed or exported.
    static constexpr int overflowLineIndex = equipmentLineCount;

    // Caption rows of the character itself; all other captions are the
    // printed labels of the sheet.
    static constexpr int nameCaption = 0;
    static constexpr int classCaption = 1;
    static constexpr int firstSkillCaption = 33;
    static constexpr int generalSkillCount = 25;
    static constexpr int firstFurtherSkillCaption = firstSkillCaption + generalSkillCount;
    static constexpr int lastSkillCaption = 78;

    // The name, the class or a skill row: written by the composition and the
    // user, blanked when the character is deleted.
    static bool isCharacterCaption(int index);

    // A blank sheet: the printed labels, every value empty but the names of
    // the standard weapons, no tool tips, no equipment.
    CharacterSheet();

    const QString &caption(int index) const;
    const QString &value(int index) const;
    const QString &toolTip(int index) const;
    // Line 0..28, or overflowLineIndex for the overflow line.
    const QString &equipmentLine(int line) const;

    const std::array<QString, captionCount> &captions() const { return m_captions; }
    const std::array<QString, valueCount> &values() const { return m_values; }
    const std::array<QString, valueCount> &toolTips() const { return m_toolTips; }
    const std::array<QString, equipmentLineCount> &equipmentLines() const { return m_equipmentLines; }
    const QString &overflowLine() const { return m_overflowLine; }

    // Each setter returns true when the sheet changed: false for the text it
    // already holds and for an index outside the sheet.
    bool setCaption(int index, const QString &text);
    bool setValue(int index, const QString &text);
    bool setToolTip(int index, const QString &text);
    bool setEquipmentLine(int line, const QString &text);

    // An empty line at `line` (0..29); the lines below move down, line 28
    // into the overflow line, and the old overflow line is lost.
    bool insertEquipmentLine(int line);
    // Line `line` (0..29) goes; the lines below move up, the overflow line
    // back into line 28, and the overflow line becomes empty.
    bool removeEquipmentLine(int line);

    // What deleting the character leaves: every value empty but the standard
    // weapons' names, the character's captions as on a blank sheet, no tool
    // tips, the equipment lines empty. The printed labels and the overflow
    // line keep what they hold.
    void clearCharacter();

    friend bool operator==(const CharacterSheet &, const CharacterSheet &) = default;

private:
    QString *equipmentSlot(int line);

    std::array<QString, captionCount> m_captions;
    std::array<QString, valueCount> m_values;
    std::array<QString, valueCount> m_toolTips;
    std::array<QString, equipmentLineCount> m_equipmentLines;
    QString m_overflowLine;
};

} // namespace Tarvosk
