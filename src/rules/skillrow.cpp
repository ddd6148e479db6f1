#include "rules/skillrow.h"

#include "rules/numerictext.h"

namespace Tarvosk {

namespace {

// An "x " or "X " in the first four characters: only an "x" upper-cases to an
// "X", so the caption need not be upper-cased to find it.
bool hasMultiplicityPrefix(QStringView caption)
{
    const QStringView start = caption.left(4);
    for (qsizetype i = 0; i + 1 < start.size(); ++i) {
        if ((start[i] == u'x' || start[i] == u'X') && start[i + 1] == u' ')
            return true;
    }
    return false;
}

} // namespace

QString withoutMultiplicityPrefix(const QString &caption)
{
    if (!hasMultiplicityPrefix(caption))
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
