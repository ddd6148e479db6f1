#include "support/recordingmessages.h"

namespace Tarvosk {

MessageService::Answer RecordingMessages::show(const QString &text, const QString &title, Icon icon,
                                               Buttons buttons, Answer onEscape)
{
    shown.append({text, title, icon, buttons, onEscape});
    if (whileShown)
        whileShown();
    if (!answers.isEmpty())
        return answers.takeFirst().value_or(escapeAnswer(buttons, onEscape));
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}

} // namespace Tarvosk
