#include "storage/playerhistory.h"

#include "storage/settingkeys.h"

namespace Tarvosk {

PlayerHistory::PlayerHistory(SettingsStore &settings)
    : m_settings(settings)
{
}

QStringList PlayerHistory::names() const
{
    QStringList names;
    for (int i = 1;; ++i) {
        const QString name = m_settings.read(Settings::Users, QString::number(i));
        if (name.isEmpty())
            return names;
        names.append(name);
    }
}

bool PlayerHistory::add(const QString &name)
{
    const QStringList known = names();
    const QString wanted = name.trimmed().toUpper();
    for (const QString &present : known) {
        if (present.trimmed().toUpper() == wanted)
            return false;
    }
    if (wanted.isEmpty())
        return false;
    m_settings.write(Settings::Users, QString::number(known.size() + 1), name);
    return true;
}

void PlayerHistory::erase()
{
    m_settings.deleteSection(Settings::Users);
}

} // namespace Tarvosk
