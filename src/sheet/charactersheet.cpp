#include "sheet/charactersheet.h"

#include "rules/singleline.h"
#include "sheet/sheetdesign.h"

#include <utility>

namespace Tarvosk {

namespace {

const QString &nothing()
{
    static const QString empty;
    return empty;
}

template<typename Array>
const QString &textAt(const Array &texts, int index)
{
    if (index < 0 || index >= int(texts.size()))
        return nothing();
    return texts[size_t(index)];
}

bool replaceText(QString &slot, QString text)
{
    if (slot == text)
        return false;
    slot = std::move(text);
    return true;
}

template<typename Array>
bool setTextAt(Array &texts, int index, QString text)
{
    if (index < 0 || index >= int(texts.size()))
        return false;
    return replaceText(texts[size_t(index)], std::move(text));
}

} // namespace

bool CharacterSheet::isCharacterCaption(int index)
{
    return index == nameCaption || index == classCaption
        || (index >= firstSkillCaption && index <= lastSkillCaption);
}

CharacterSheet::CharacterSheet()
{
    for (int i = 0; i < captionCount; ++i)
        m_captions[size_t(i)] = SheetDesign::caption(i);
    clearCharacter();
    m_overflowLine.clear();
}

const QString &CharacterSheet::caption(int index) const
{
    return textAt(m_captions, index);
}

const QString &CharacterSheet::value(int index) const
{
    return textAt(m_values, index);
}

const QString &CharacterSheet::toolTip(int index) const
{
    return textAt(m_toolTips, index);
}

const QString &CharacterSheet::equipmentLine(int line) const
{
    if (line == overflowLineIndex)
        return m_overflowLine;
    return textAt(m_equipmentLines, line);
}

bool CharacterSheet::setCaption(int index, const QString &text)
{
    return setTextAt(m_captions, index, singleLine(text));
}

bool CharacterSheet::setValue(int index, const QString &text)
{
    return setTextAt(m_values, index, singleLine(text));
}

bool CharacterSheet::setToolTip(int index, const QString &text)
{
    return setTextAt(m_toolTips, index, text);
}

bool CharacterSheet::setEquipmentLine(int line, const QString &text)
{
    QString *slot = equipmentSlot(line);
    return slot && replaceText(*slot, singleLine(text));
}

bool CharacterSheet::insertEquipmentLine(int line)
{
    if (!equipmentSlot(line))
        return false;
    bool changed = false;
    for (int i = overflowLineIndex; i > line; --i)
        changed |= replaceText(*equipmentSlot(i), *equipmentSlot(i - 1));
    changed |= replaceText(*equipmentSlot(line), QString());
    return changed;
}

bool CharacterSheet::removeEquipmentLine(int line)
{
    if (!equipmentSlot(line))
        return false;
    bool changed = false;
    for (int i = line; i < overflowLineIndex; ++i)
        changed |= replaceText(*equipmentSlot(i), *equipmentSlot(i + 1));
    changed |= replaceText(m_overflowLine, QString());
    return changed;
}

void CharacterSheet::clearCharacter()
{
    for (int i = 0; i < captionCount; ++i) {
        if (isCharacterCaption(i))
            m_captions[size_t(i)] = SheetDesign::caption(i);
    }
    m_values.fill(QString());
    for (size_t w = 0; w < SheetDesign::standardWeaponCells.size(); ++w)
        m_values[size_t(SheetDesign::standardWeaponCells[w])] = SheetDesign::standardWeaponName(int(w));
    // A tool tip explains its value; with the value gone it would explain nothing.
    m_toolTips.fill(QString());
    m_equipmentLines.fill(QString());
}

QString *CharacterSheet::equipmentSlot(int line)
{
    if (line == overflowLineIndex)
        return &m_overflowLine;
    if (line < 0 || line >= equipmentLineCount)
        return nullptr;
    return &m_equipmentLines[size_t(line)];
}

} // namespace Tarvosk
