#pragma once

#include <QMenu>

#include <vector>

namespace Tarvosk {

// The background-pattern menu of the button bars (mnuCustomize): eight
// entries, the stored pattern checked.
class PatternMenu : public QMenu
{
    Q_OBJECT

public:
    explicit PatternMenu(QWidget *parent = nullptr);

    // Checks the entry of the current pattern and pops up at the mouse.
    void popupAt(QPoint globalPos, int currentPattern);
    void checkPattern(int pattern);
    int checkedPattern() const;
    QAction *entry(int pattern) const;

Q_SIGNALS:
    void patternChosen(int pattern);

private:
    std::vector<QAction *> m_entries;
};

} // namespace Tarvosk
