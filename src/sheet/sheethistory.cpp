#include "sheet/sheethistory.h"

namespace Tarvosk {

void SheetHistory::restart(bool saved)
{
    m_steps.clear();
    m_done = 0;
    m_saved = saved ? std::optional<std::size_t>(0) : std::nullopt;
}

void SheetHistory::record(const QString &name, const CharacterSheet &before, const CharacterSheet &after)
{
    m_steps.resize(m_done);
    // The saved state was among the steps undone: no undo or redo leads back to it.
    if (m_saved && *m_saved > m_done)
        m_saved.reset();
    m_steps.push_back({name, before, after});
    if (m_steps.size() > maximumSteps) {
        m_steps.erase(m_steps.begin());
        if (m_saved)
            m_saved = *m_saved > 0 ? std::optional<std::size_t>(*m_saved - 1) : std::nullopt;
    }
    m_done = m_steps.size();
}

bool SheetHistory::canUndo() const
{
    return m_done > 0;
}

bool SheetHistory::canRedo() const
{
    return m_done < m_steps.size();
}

QString SheetHistory::undoName() const
{
    return canUndo() ? m_steps[m_done - 1].name : QString();
}

QString SheetHistory::redoName() const
{
    return canRedo() ? m_steps[m_done].name : QString();
}

const CharacterSheet &SheetHistory::undo()
{
    return m_steps[--m_done].before;
}

const CharacterSheet &SheetHistory::redo()
{
    return m_steps[m_done++].after;
}

void SheetHistory::markSaved()
{
    m_saved = m_done;
}

bool SheetHistory::isAtSaved() const
{
    return m_saved == m_done;
}

} // namespace Tarvosk
