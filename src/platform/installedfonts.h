#pragma once

#include <QStringList>

namespace Tarvosk {

// The names of the installed fonts, as the font check counts them: every
// family the font database lists, and the common Windows names that
// fontconfig draws with a metric-compatible face ("Times New Roman" with
// Liberation Serif and the like).
QStringList installedFontNames();

} // namespace Tarvosk
