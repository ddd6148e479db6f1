#include "storage/recentfiles.h"

#include "storage/settingkeys.h"

namespace Tarvosk {

void rememberRecentFile(SettingsStore &settings, const QString &path)
{
    const auto entry = [&settings](int k) { return settings.read(Settings::Recent, QString::number(k)); };
    const auto store = [&settings](int k, const QString &text) {
        settings.write(Settings::Recent, QString::number(k), text);
    };
    const QString wanted = path.trimmed();
    for (int k = 0; k < Settings::RecentCount; ++k) {
        if (entry(k).trimmed().compare(wanted, Qt::CaseInsensitive) == 0) {
            store(k, entry(0));
            store(0, path);
            return;
        }
    }
    for (int k = Settings::RecentCount - 1; k > 0; --k)
        store(k, entry(k - 1));
    store(0, path);
}

} // namespace Tarvosk
