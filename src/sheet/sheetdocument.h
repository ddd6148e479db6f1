#pragma once

#include "sheet/charactersheet.h"
#include "sheet/sheethistory.h"

#include <QObject>
#include <QString>

namespace Tarvosk {

// The character sheet the program works on, with the file it belongs to
// (`CurrentFile`) and whether it is saved there (`SheetSaved`). Windows bind
// to its signals; every change of the sheet goes through it.
//
// Every edit committed on the sheet marks it unsaved, even one that leaves
// the text as it was; only a real change is announced. Writing outside the
// sheet does nothing. A new document holds a blank sheet, no file, and counts as
// saved, since a blank sheet holds nothing to save.
//
// Every edit that changes the sheet is a step that can be undone and redone.
// An undo or redo is an edit too, unless it leads back to the sheet the file
// holds, which counts as saved again. Opening, a new character, a restored
// copy and deleting the character begin a new history.
class SheetDocument : public QObject
{
    Q_OBJECT

public:
    explicit SheetDocument(QObject *parent = nullptr);

    const CharacterSheet &sheet() const { return m_sheet; }
    // The full path last loaded or saved; empty for a sheet never saved.
    const QString &fileName() const { return m_fileName; }
    bool isSaved() const { return m_saved; }

    // Edits of single texts; each returns false for a place outside the sheet.
    bool setCaption(int index, const QString &text);
    bool setValue(int index, const QString &text);
    bool setEquipmentLine(int line, const QString &text);
    bool insertEquipmentLine(int line);
    bool removeEquipmentLine(int line);

    bool canUndo() const { return m_history.canUndo(); }
    bool canRedo() const { return m_history.canRedo(); }
    // The name of the step an undo or redo would take back or again ("Wert").
    QString undoName() const { return m_history.undoName(); }
    QString redoName() const { return m_history.redoName(); }
    // False when there is nothing to undo or redo.
    bool undo();
    bool redo();

    // What happened to the document as a whole, each with the file name and
    // saved flag that follow from it.
    // A blank sheet of no file, which counts as saved: it holds nothing to lose.
    void clear();
    // A character just made: on no disk yet, so it counts as unsaved.
    void compose(const CharacterSheet &sheet);
    // The file's character, saved in it.
    void load(const CharacterSheet &sheet, const QString &fileName);
    // A copy an earlier session left: it belongs to its file but is not saved there.
    void restore(const CharacterSheet &sheet, const QString &fileName);
    // The sheet was written to the file and now is what the file holds.
    void markSaved(const QString &fileName);
    // The character is gone; the sheet keeps only what a blank page shows.
    // The file name and the saved flag stay as they are.
    void blankCharacter();

Q_SIGNALS:
    void sheetReplaced();
    // After sheetReplaced, for a sheet that came from a file.
    void loaded();
    void captionChanged(int index);
    void valueChanged(int index);
    // Any line, the overflow line included, or several at once.
    void equipmentChanged();
    void fileNameChanged(const QString &fileName);
    void savedChanged(bool saved);
    // What can be undone or redone changed.
    void historyChanged();

private:
    void replace(const CharacterSheet &sheet);
    void setFileName(const QString &fileName);
    void setSaved(bool saved);
    // An edit was committed: the sheet is not what its file holds any more.
    bool committed();
    // One edit of the sheet: change() says whether it changed anything.
    template <typename Change, typename Announce>
    bool edit(const QString &stepName, Change change, Announce announce);
    void restartHistory();
    // The sheet of a step undone or redone.
    void returnTo(const CharacterSheet &sheet);

    CharacterSheet m_sheet;
    QString m_fileName;
    bool m_saved = true;
    SheetHistory m_history;
};

} // namespace Tarvosk
