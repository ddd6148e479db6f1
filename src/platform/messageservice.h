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

    // onEscape is what Escape and the close box answer a Yes/No question:
    // the answer that discards nothing. Cancel keeps the box a Yes/No box.
    // An Ok box answers Ok, a Yes/No/Cancel box Cancel, whatever onEscape says.
    virtual Answer show(const QString &text, const QString &title, Icon icon, Buttons buttons,
                        Answer onEscape = Answer::No) = 0;

    // What Escape and the close box answer with these buttons.
    static Answer escapeAnswer(Buttons buttons, Answer onEscape);
};

} // namespace Tarvosk
