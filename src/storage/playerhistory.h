#pragma once

#include <QString>
#include <QStringList>

namespace Tarvosk {

class SettingsStore;

// The names of earlier players, offered in the player list: "Users"/1, 2, ...
// without gaps, each name once (ignoring case and outer blanks).
class PlayerHistory
{
public:
    explicit PlayerHistory(SettingsStore &settings);

    // The names up to the first gap.
    QStringList names() const;
    // Stores a new, non-empty name under the first free number; true when it was stored.
    bool add(const QString &name);
    // Forgets every name.
    void erase();

private:
    SettingsStore &m_settings;
};

} // namespace Tarvosk
