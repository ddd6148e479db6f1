#pragma once

#include "platform/messageservice.h"

class QFont;
class QMessageBox;

namespace Tarvosk {

// Messages as QMessageBox, modal over the active window.
class MessageBoxService final : public MessageService
{
public:
    Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons,
                Answer onEscape = Answer::No) override;

    // Gives the box its text, title, icon and buttons (with German captions)
    // and the button Escape and the close box press, and makes it wide
    // enough for the window manager to show the whole title.
    static void setUp(QMessageBox &box, const QString &text, const QString &title, Icon icon, Buttons buttons,
                      Answer onEscape = Answer::No);

    // The least width of a box whose title bar shows this title whole: the
    // title in the title-bar font and room for the frame's buttons beside it.
    static int widthForTitle(const QString &title, const QFont &titleFont);
    // The font title bars are drawn with, as near as the program can tell.
    static QFont titleFont();
};

} // namespace Tarvosk
