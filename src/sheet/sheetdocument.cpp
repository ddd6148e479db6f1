#include "sheet/sheetdocument.h"

namespace Tarvosk {

using namespace Qt::StringLiterals;

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
    return within(index, CharacterSheet::captionCount)
           && edit(u"Bezeichnung"_s, [&](CharacterSheet &sheet) { return sheet.setCaption(index, text); },
                   [&] { Q_EMIT captionChanged(index); });
}

bool SheetDocument::setValue(int index, const QString &text)
{
    return within(index, CharacterSheet::valueCount)
           && edit(u"Wert"_s, [&](CharacterSheet &sheet) { return sheet.setValue(index, text); },
                   [&] { Q_EMIT valueChanged(index); });
}

bool SheetDocument::setEquipmentLine(int line, const QString &text)
{
    return within(line, equipmentSlots)
           && edit(u"Ausrüstung"_s, [&](CharacterSheet &sheet) { return sheet.setEquipmentLine(line, text); },
                   [&] { Q_EMIT equipmentChanged(); });
}

bool SheetDocument::insertEquipmentLine(int line)
{
    return within(line, equipmentSlots)
           && edit(u"Zeile einfügen"_s, [&](CharacterSheet &sheet) { return sheet.insertEquipmentLine(line); },
                   [&] { Q_EMIT equipmentChanged(); });
}

bool SheetDocument::removeEquipmentLine(int line)
{
    return within(line, equipmentSlots)
           && edit(u"Zeile löschen"_s, [&](CharacterSheet &sheet) { return sheet.removeEquipmentLine(line); },
                   [&] { Q_EMIT equipmentChanged(); });
}

// A change that took is a step of the history and is announced; the sheet is unsaved either way.
template <typename Change, typename Announce>
bool SheetDocument::edit(const QString &stepName, Change change, Announce announce)
{
    const CharacterSheet before = m_sheet;
    if (change(m_sheet)) {
        m_history.record(stepName, before, m_sheet);
        Q_EMIT historyChanged();
        announce();
    }
    return committed();
}

bool SheetDocument::committed()
{
    setSaved(false);
    return true;
}

void SheetDocument::restartHistory()
{
    m_history.restart(m_saved);
    Q_EMIT historyChanged();
}

bool SheetDocument::undo()
{
    if (!m_history.canUndo())
        return false;
    returnTo(m_history.undo());
    return true;
}

bool SheetDocument::redo()
{
    if (!m_history.canRedo())
        return false;
    returnTo(m_history.redo());
    return true;
}

void SheetDocument::returnTo(const CharacterSheet &sheet)
{
    replace(sheet);
    setSaved(m_history.isAtSaved());
    Q_EMIT historyChanged();
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
    m_history.markSaved();
}

void SheetDocument::clear()
{
    replace(CharacterSheet());
    markSaved(QString());
    restartHistory();
}

void SheetDocument::compose(const CharacterSheet &sheet)
{
    replace(sheet);
    setFileName(QString());
    setSaved(false);
    restartHistory();
}

void SheetDocument::load(const CharacterSheet &sheet, const QString &fileName)
{
    replace(sheet);
    markSaved(fileName);
    restartHistory();
    Q_EMIT loaded();
}

void SheetDocument::restore(const CharacterSheet &sheet, const QString &fileName)
{
    replace(sheet);
    setFileName(fileName);
    setSaved(false);
    restartHistory();
}

void SheetDocument::blankCharacter()
{
    CharacterSheet blank = m_sheet;
    blank.clearCharacter();
    replace(blank);
    restartHistory();
}

} // namespace Tarvosk
