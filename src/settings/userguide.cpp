#include "settings/userguide.h"

#include <QFileInfo>

namespace Tarvosk {

QUrl userGuideUrl(const QString &programFolder)
{
    const QString installed = programFolder + QStringLiteral("/" TARVOSK_GUIDE_FROM_PROGRAM);
    for (const QString &guide : {installed, QStringLiteral(TARVOSK_GUIDE_IN_SOURCES)}) {
        const QFileInfo page(guide);
        if (page.isFile())
            return QUrl::fromLocalFile(page.canonicalFilePath());
    }
    return QUrl();
}

} // namespace Tarvosk
