#include "rules/numerictext.h"

#include <cmath>

namespace Tarvosk {

std::optional<double> parseLeadingNumber(QStringView text)
{
    auto isAsciiDigit = [](QChar c) { return c >= u'0' && c <= u'9'; };

    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;

    bool anyDigit = false;
    while (i < text.size() && isAsciiDigit(text[i])) {
        anyDigit = true;
        ++i;
    }
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && isAsciiDigit(text[i])) {
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    // QStringView::toDouble reads the C locale, whatever the user's locale is.
    return text.mid(start, i - start).toDouble();
}

double leadingNumber(QStringView text)
{
    return parseLeadingNumber(text).value_or(0);
}

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

} // namespace Tarvosk
