#pragma once

#include "platform/messageservice.h"

#include <QList>

#include <functional>
#include <optional>

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
        // As the caller named it; MessageService::escapeAnswer() tells what Escape then gives.
        Answer onEscape = Answer::No;
    };

    Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons,
                Answer onEscape = Answer::No) override;

    // An empty answer (std::nullopt) is Escape or the close box: it gives what escapeAnswer() says.
    QList<std::optional<Answer>> answers;
    QList<Shown> shown;
    // Called while a message is up, to look at the screen behind it.
    std::function<void()> whileShown;
};

} // namespace Tarvosk
