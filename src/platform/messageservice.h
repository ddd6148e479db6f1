#pragma once

#include <QString>

namespace Tarvosk {

// A modal message with its text, title, icon and buttons. Windows show every
// message through this one interface, so tests can read and answer them.
class MessageService
{
public:
    enum class Icon { Information, Exclamation, Question, Critical };
    enum class Buttons { Ok, YesNo, YesNoCancel };
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~MessageService();

    virtual Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons) = 0;
};

} // namespace Tarvosk
