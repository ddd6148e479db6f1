#include "rules/skillrow.h"

#include "rules/numerictext.h"

namespace Tarvosk {

QString withoutMultiplicityPrefix(const QString &caption)
{
    if (!caption.left(4).toUpper().contains(u"X "))
        return caption;
    const qsizetype x = caption.indexOf(u'x', 0, Qt::CaseInsensitive);
    return caption.mid(x + 1).trimmed();
}

int multiplicity(const SkillRow &row)
{
    const qsizetype x = row.caption.indexOf(u'x');
    if (x < 0)
        return row.learnt ? 1 : 0;
    return static_cast<int>(leadingNumber(QStringView(row.caption).left(x)));
}

} // namespace Tarvosk
