#include "settings/userguide.h"

#include <QFileInfo>
#include <QStringList>

namespace Tarvosk {

QUrl userGuideUrl(const QString &programFolder)
{
    QStringList guides{programFolder + QStringLiteral("/" TARVOSK_GUIDE_FROM_PROGRAM)};
#ifdef TARVOSK_GUIDE_IN_SOURCES
    guides.append(QStringLiteral(TARVOSK_GUIDE_IN_SOURCES));
#endif
    for (const QString &guide : std::as_const(guides)) {
        const QFileInfo page(guide);
        if (page.isFile())
            return QUrl::fromLocalFile(page.canonicalFilePath());
    }
    return QUrl();
}

} // namespace Tarvosk
