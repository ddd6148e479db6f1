#pragma once

#include <QtGlobal>

namespace Tarvosk {

// Watches Qt's messages while the window application is made: where no
// display can be reached, Qt gives up with an English message and an abort;
// the program says so in one German line instead and ends with exit code 1.
// What Qt said along the way reaches its usual handler once the check ends.
class DisplayCheck
{
public:
    DisplayCheck();
    ~DisplayCheck();
    DisplayCheck(const DisplayCheck &) = delete;
    DisplayCheck &operator=(const DisplayCheck &) = delete;

    static constexpr const char *noDisplayText =
        "Keine grafische Sitzung gefunden: Das Programm braucht einen Bildschirm (X11 oder Wayland).\n";

private:
    QtMessageHandler m_previous;
};

} // namespace Tarvosk
