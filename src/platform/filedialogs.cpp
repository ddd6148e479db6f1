#include "platform/filedialogs.h"

#include <QStringList>

namespace Tarvosk {

using namespace Qt::StringLiterals;

FileDialogs::~FileDialogs() = default;

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        entries << (description.contains(u'(') ? description : description + u" ("_s + pattern + u')');
    }
    return entries.join(u";;"_s);
}

} // namespace Tarvosk
