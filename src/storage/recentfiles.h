#pragma once

#include <QString>

namespace Tarvosk {

class SettingsStore;

// The four files last loaded, "Recent" keys "0" (most recent) to "3". A path
// already listed swaps places with the first entry; a new one pushes the
// others down and the last one drops out.
void rememberRecentFile(SettingsStore &settings, const QString &path);

} // namespace Tarvosk
