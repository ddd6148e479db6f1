#include "support/recordingmessages.h"

namespace Tarvosk {

MessageService::Answer RecordingMessages::show(const QString &text, const QString &title, Icon icon,
                                               Buttons buttons)
{
    shown.append({text, title, icon, buttons});
    if (whileShown)
        whileShown();
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == Buttons::Ok ? Answer::Ok : Answer::Yes;
}

} // namespace Tarvosk
