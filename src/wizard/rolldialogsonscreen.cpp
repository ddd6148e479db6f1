#include "wizard/rolldialogsonscreen.h"

#include "wizard/form2.h"
#include "wizard/form3.h"

namespace Tarvosk {

RollDialogsOnScreen::RollDialogsOnScreen(QWidget *mainWindow, std::function<void()> showValues)
    : m_mainWindow(mainWindow)
    , m_showValues(std::move(showValues))
{
}

int RollDialogsOnScreen::placeValue(const CharacterRecord &record, int value)
{
    m_showValues();
    Form3 dialog(record, value, m_mainWindow);
    dialog.exec();
    return dialog.answer();
}

int RollDialogsOnScreen::chooseFreeAbility()
{
    m_showValues();
    Form2 dialog(m_mainWindow);
    dialog.exec();
    return dialog.choice();
}

} // namespace Tarvosk
