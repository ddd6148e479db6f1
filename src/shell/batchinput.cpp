#include "shell/batchinput.h"

#include <QFileInfo>

#include <cstdio>

namespace Tarvosk {

using namespace Qt::StringLiterals;

int refuseCommand(const QString &reason)
{
    // One line, whatever the reason holds.
    QString line = reason;
    line.replace(u'\n', u' ');
    std::fputs((u"tarvosk: "_s + line + u'\n').toUtf8().constData(), stderr);
    return 1;
}

bool isSameFile(const QString &first, const QString &second)
{
    const QFileInfo one(first);
    const QFileInfo other(second);
    return one.exists() && other.exists() && one.canonicalFilePath() == other.canonicalFilePath();
}

} // namespace Tarvosk
