#pragma once

#include "rules/attributeroll.h"

#include <functional>

class QWidget;

namespace Tarvosk {

// The roll's dialogs as the user sees them: Form3 to place a value, Form2 for a free choice.
class RollDialogsOnScreen final : public RollDialogs
{
public:
    // showValues puts the record on the screen before a dialog asks, so the
    // player decides with the values of now in view.
    RollDialogsOnScreen(QWidget *mainWindow, std::function<void()> showValues);

    int placeValue(const CharacterRecord &record, int value) override;
    int chooseFreeAbility() override;

private:
    QWidget *m_mainWindow;
    std::function<void()> m_showValues;
};

} // namespace Tarvosk
