#pragma once

#include <QValidator>

namespace Tarvosk {

// The seed box takes "0" to ";" only; control keys (Backspace, Delete, the
// arrows) work as always, every other character is refused, typed, pasted or
// dropped alike. A text that breaks the rule already (an edited settings file)
// stays editable until it keeps the rule again.
class SeedValidator : public QValidator
{
    Q_OBJECT

public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;

    static bool isAllowed(QChar c);
};

} // namespace Tarvosk
