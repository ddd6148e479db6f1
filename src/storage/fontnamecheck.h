#pragma once

#include <QString>
#include <QStringList>

namespace Tarvosk {

// The given font name when it is among the installed fonts (ignoring case);
// otherwise "Times New Roman" when that is installed, else the first installed
// font; "" when no font is installed at all.
QString CheckFontName(const QString &name, const QStringList &installedFonts);

} // namespace Tarvosk
