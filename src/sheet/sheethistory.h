#pragma once

#include "sheet/charactersheet.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <vector>

namespace Tarvosk {

// The edits of one sheet, to be undone and redone one at a time: each step
// keeps the sheet before and after it and a name for the menus. It also knows
// which state the file holds, so that undoing back to it counts as saved.
class SheetHistory
{
public:
    // Older steps than these are forgotten.
    static constexpr std::size_t maximumSteps = 500;

    // A new history: the sheet of now is the one the file holds, or none is.
    void restart(bool saved);
    // An edit was made; the steps undone before it are gone.
    void record(const QString &name, const CharacterSheet &before, const CharacterSheet &after);

    bool canUndo() const;
    bool canRedo() const;
    // The name of the step the next undo or redo would take; empty when there is none.
    QString undoName() const;
    QString redoName() const;
    // The sheet as it was before the last step, or after the next one; only
    // when canUndo() or canRedo().
    const CharacterSheet &undo();
    const CharacterSheet &redo();

    // The sheet of now is what the file holds.
    void markSaved();
    bool isAtSaved() const;

private:
    struct Step
    {
        QString name;
        CharacterSheet before;
        CharacterSheet after;
    };

    std::vector<Step> m_steps;
    std::size_t m_done = 0;              // steps taken and not undone
    std::optional<std::size_t> m_saved = 0; // m_done when the sheet was what the file holds
};

} // namespace Tarvosk
