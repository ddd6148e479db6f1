#include "rules/singleline.h"

#include <algorithm>

namespace Tarvosk {

QString singleLine(QString text)
{
    const auto isBreak = [](QChar c) { return c == u'\r' || c == u'\n' || c == u'\t'; };
    // Nearly every text has no break: it is given back as it is, not copied.
    if (std::none_of(text.cbegin(), text.cend(), isBreak))
        return text;
    std::replace_if(text.begin(), text.end(), isBreak, QChar(u' '));
    return text;
}

} // namespace Tarvosk
