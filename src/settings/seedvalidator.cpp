#include "settings/seedvalidator.h"

#include <algorithm>

namespace Tarvosk {

QValidator::State SeedValidator::validate(QString &input, int &) const
{
    return std::all_of(input.cbegin(), input.cend(), isAllowed) ? Acceptable : Invalid;
}

bool SeedValidator::isAllowed(QChar c)
{
    return c >= u'0' && c <= u';';
}

} // namespace Tarvosk
