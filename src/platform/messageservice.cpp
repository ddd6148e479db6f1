#include "platform/messageservice.h"

namespace Tarvosk {

MessageService::~MessageService() = default;

MessageService::Answer MessageService::escapeAnswer(Buttons buttons, Answer onEscape)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::YesNoCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        break;
    }
    // A Yes/No question has no Ok to give.
    return onEscape == Answer::Ok ? Answer::No : onEscape;
}

} // namespace Tarvosk
