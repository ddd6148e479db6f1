#include "sheet/sheetdocument.h"

namespace Tarvosk {

SheetDocument::SheetDocument(QObject *parent)
    : QObject(parent)
{
}

namespace {

bool within(int index, int count)
{
    return index >= 0 && index < count;
}

constexpr int equipmentSlots = CharacterSheet::overflowLineIndex + 1;

} // namespace

bool SheetDocument::setCaption(int index, const QString &text)
{
    if (!within(index, CharacterSheet::captionCount))
        return false;
    if (m_sheet.setCaption(index, text))
        Q_EMIT captionChanged(index);
    return committed();
}

bool SheetDocument::setValue(int index, const QString &text)
{
    if (!within(index, CharacterSheet::valueCount))
        return false;
    if (m_sheet.setValue(index, text))
        Q_EMIT valueChanged(index);
    return committed();
}

bool SheetDocument::setEquipmentLine(int line, const QString &text)
{
    if (!within(line, equipmentSlots))
        return false;
    if (m_sheet.setEquipmentLine(line, text))
        Q_EMIT equipmentChanged();
    return committed();
}

bool SheetDocument::insertEquipmentLine(int line)
{
    if (!within(line, equipmentSlots))
        return false;
    if (m_sheet.insertEquipmentLine(line))
        Q_EMIT equipmentChanged();
    return committed();
}

bool SheetDocument::removeEquipmentLine(int line)
{
    if (!within(line, equipmentSlots))
        return false;
    if (m_sheet.removeEquipmentLine(line))
        Q_EMIT equipmentChanged();
    return committed();
}

bool SheetDocument::committed()
{
    setSaved(false);
    return true;
}

void SheetDocument::replace(const CharacterSheet &sheet)
{
    m_sheet = sheet;
    // Even an equal sheet is announced: a load of the same file still redraws.
    Q_EMIT sheetReplaced();
}

void SheetDocument::setFileName(const QString &fileName)
{
    if (m_fileName == fileName)
        return;
    m_fileName = fileName;
    Q_EMIT fileNameChanged(m_fileName);
}

void SheetDocument::setSaved(bool saved)
{
    if (m_saved == saved)
        return;
    m_saved = saved;
    Q_EMIT savedChanged(m_saved);
}

void SheetDocument::markSaved(const QString &fileName)
{
    setFileName(fileName);
    setSaved(true);
}

void SheetDocument::clear()
{
    replace(CharacterSheet());
    markSaved(QString());
}

void SheetDocument::compose(const CharacterSheet &sheet)
{
    replace(sheet);
    setFileName(QString());
    setSaved(false);
}

void SheetDocument::load(const CharacterSheet &sheet, const QString &fileName)
{
    replace(sheet);
    markSaved(fileName);
    Q_EMIT loaded();
}

void SheetDocument::restore(const CharacterSheet &sheet, const QString &fileName)
{
    replace(sheet);
    setFileName(fileName);
    setSaved(false);
}

void SheetDocument::blankCharacter()
{
    CharacterSheet blank = m_sheet;
    blank.clearCharacter();
    replace(blank);
}

} // namespace Tarvosk
