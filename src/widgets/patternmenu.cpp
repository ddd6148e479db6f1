#include "widgets/patternmenu.h"

#include "sheet/backgroundpattern.h"

namespace Tarvosk {

PatternMenu::PatternMenu(QWidget *parent)
    : QMenu(parent)
{
    setObjectName(QStringLiteral("mnuCustomize"));
    setTitle(QStringLiteral("Main"));
    for (int pattern = 0; pattern < patternCount; ++pattern) {
        QAction *action = addAction(patternMenuCaption(pattern));
        action->setObjectName(QStringLiteral("mnuCustomizeExe_%1").arg(pattern));
        action->setCheckable(true);
        connect(action, &QAction::triggered, this, [this, pattern] { Q_EMIT patternChosen(pattern); });
        m_entries.push_back(action);
    }
}

void PatternMenu::checkPattern(int pattern)
{
    for (int i = 0; i < int(m_entries.size()); ++i)
        m_entries[i]->setChecked(i == pattern);
}

int PatternMenu::checkedPattern() const
{
    for (int i = 0; i < int(m_entries.size()); ++i) {
        if (m_entries[i]->isChecked())
            return i;
    }
    return -1;
}

QAction *PatternMenu::entry(int pattern) const
{
    return pattern >= 0 && pattern < int(m_entries.size()) ? m_entries[pattern] : nullptr;
}

void PatternMenu::popupAt(QPoint globalPos, int currentPattern)
{
    checkPattern(currentPattern);
    popup(globalPos);
}

} // namespace Tarvosk
