#pragma once

#include "rules/attributeroll.h"

class QWidget;

namespace Tarvosk {

// The roll's dialogs as the user sees them: Form3 to place a value, Form2 for a free choice.
class RollDialogsOnScreen final : public RollDialogs
{
public:
    explicit RollDialogsOnScreen(QWidget *mainWindow);

    int placeValue(const CharacterRecord &record, int value) override;
    int chooseFreeAbility() override;

private:
    QWidget *m_mainWindow;
};

} // namespace Tarvosk
