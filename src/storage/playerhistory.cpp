#include "storage/playerhistory.h"

#include "rules/singleline.h"
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
        // A hand-edited file may hold a break or tab; a name shows on one line.
        names.append(singleLine(name));
    }
}

bool PlayerHistory::add(const QString &name)
{
    const QStringList known = names();
    const QString line = singleLine(name);
    const QString wanted = line.trimmed().toUpper();
    for (const QString &present : known) {
        if (present.trimmed().toUpper() == wanted)
            return false;
    }
    if (wanted.isEmpty())
        return false;
    m_settings.write(Settings::Users, QString::number(known.size() + 1), line);
    return true;
}

void PlayerHistory::erase()
{
    m_settings.deleteSection(Settings::Users);
}

} // namespace Tarvosk
