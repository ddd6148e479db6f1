#include "app/rolldialogsonscreen.h"

#include "app/form2.h"
#include "app/form3.h"

namespace Tarvosk {

RollDialogsOnScreen::RollDialogsOnScreen(QWidget *mainWindow)
    : m_mainWindow(mainWindow)
{
}

int RollDialogsOnScreen::placeValue(const CharacterRecord &record, int value)
{
    Form3 dialog(record, value, m_mainWindow);
    dialog.exec();
    return dialog.answer();
}

int RollDialogsOnScreen::chooseFreeAbility()
{
    Form2 dialog(m_mainWindow);
    dialog.exec();
    return dialog.choice();
}

} // namespace Tarvosk
