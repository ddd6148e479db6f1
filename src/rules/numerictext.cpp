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
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        ++i;

    // Whole numbers, nearly all that the rules read, are added up on the way:
    // exact up to 15 digits, and far cheaper than converting the text.
    const qsizetype firstDigit = i;
    double whole = 0;
    while (i < text.size() && isAsciiDigit(text[i]))
        whole = whole * 10 + (text[i++].unicode() - u'0');
    bool anyDigit = i > firstDigit;
    const bool fraction = i < text.size() && text[i] == u'.';
    if (fraction) {
        ++i;
        while (i < text.size() && isAsciiDigit(text[i])) {
            anyDigit = true;
            ++i;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (!fraction && i - firstDigit <= 15)
        return negative ? -whole : whole;
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
