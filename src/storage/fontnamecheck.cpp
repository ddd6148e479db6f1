#include "storage/fontnamecheck.h"

#include "storage/settingkeys.h"

namespace Tarvosk {

QString CheckFontName(const QString &name, const QStringList &installedFonts)
{
    if (installedFonts.contains(name, Qt::CaseInsensitive))
        return name;
    if (installedFonts.isEmpty())
        return QString();
    const QString fallback = Settings::FontNameDefault.toString();
    if (name != fallback)
        return CheckFontName(fallback, installedFonts);
    return installedFonts.first();
}

} // namespace Tarvosk
