#include "rules/skillrow.h"

namespace Tarvosk {

QString withoutMultiplicityPrefix(const QString &caption)
{
    if (!caption.left(4).toUpper().contains(u"X "))
        return caption;
    const qsizetype x = caption.indexOf(u'x', 0, Qt::CaseInsensitive);
    return caption.mid(x + 1).trimmed();
}

} // namespace Tarvosk
