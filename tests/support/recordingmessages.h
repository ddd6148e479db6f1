#pragma once

#include "platform/messageservice.h"

#include <QList>

#include <functional>

namespace Tarvosk {

// Records every message and gives the scripted answers in order (then Ok or Yes).
class RecordingMessages final : public MessageService
{
public:
    struct Shown
    {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
    };

    Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons) override;

    QList<Answer> answers;
    QList<Shown> shown;
    // Called while a message is up, to look at the screen behind it.
    std::function<void()> whileShown;
};

} // namespace Tarvosk
